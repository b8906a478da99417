#pragma once

// Four colour bytes kept exactly in file order: alpha, blue, green, red.
class FltPackedColor {
public:
    unsigned char bytes[4] = {0, 0, 0, 0};

    float getAlpha() const { return bytes[0] / 255.0f; }
    float getBlue() const { return bytes[1] / 255.0f; }
    float getGreen() const { return bytes[2] / 255.0f; }
    float getRed() const { return bytes[3] / 255.0f; }
};
