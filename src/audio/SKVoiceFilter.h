// Reduces one buffer of 32-bit samples to the numbers the level bars and the wave view show.
#pragma once

#include <QSizeF>

#include <cstdint>
#include <span>
#include <vector>

class SKVoiceFilter {
public:
    // Every sample s as |s| × height / 2^32: full scale is half the view's height.
    static std::vector<double> filteredSamplesForSize(QSizeF size, std::span<const uint8_t> data);
    // The largest absolute value among the samples; 0 for none.
    static double maxValueInArray(const std::vector<double>& samples);
    // The level of one buffer for a view of that size: its peak, at least 0.5.
    static double level(QSizeF size, std::span<const uint8_t> data);
    // The level as the fraction the bars show: 34 is half the 68-point wave view.
    static float volum(double level) { return float(level / 34.0); }
};
