// The watermark as the user set it up, copied whole for each frame.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

struct WatermarkSettings {
    enum Type : unsigned { Text = 0, Image = 1, None = 2 };

    unsigned watermarkType = None;
    // The current date and time is drawn instead, whatever watermarkType says.
    bool isTimeTextWatermark = false;
    // The rendered text for Text, the user's picture for Image.
    QImage watermarkImage;
    QFont textWatermarkFont = defaultFont();
    QColor textWatermarkColor = QColor::fromRgbF(1, 0, 0);
    // Replaces the text colour's own alpha.
    float watermarkAlpha = 1;
    QStringList timeFramStyles;
    int timeFramStyleIndex = 0;

    static QFont defaultFont() {
        QFont font;
        font.setPointSizeF(20);
        return font;
    }
};

// The placement chosen in the placement window: the centre as fractions of the frame's width
// and height, and a scale.
struct WatermarkPlacement {
    float centerX = 0;
    float centerY = 0;
    float scale = 1;
    bool operator==(const WatermarkPlacement&) const = default;
};
