#include "SKVoiceFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

std::vector<double> SKVoiceFilter::filteredSamplesForSize(QSizeF size,
                                                          std::span<const uint8_t> data) {
    std::vector<double> out(data.size() / sizeof(int32_t));
    for (size_t i = 0; i < out.size(); ++i) {
        int32_t s;
        std::memcpy(&s, data.data() + i * sizeof s, sizeof s);
        out[i] = std::fabs(double(s)) * size.height() / 4294967296.0;
    }
    return out;
}

double SKVoiceFilter::maxValueInArray(const std::vector<double>& samples) {
    double peak = 0;
    for (double v : samples)
        peak = std::max(peak, std::fabs(v));
    return peak;
}

double SKVoiceFilter::level(QSizeF size, std::span<const uint8_t> data) {
    return std::max(0.5, maxValueInArray(filteredSamplesForSize(size, data)));
}
