#pragma once

#include "support/subprocess.h"

#include <string>

// Reads what a player would read off a screenshot, with ImageMagick and tesseract.

// The text in a region (WxH+X+Y), white HUD text turned black on white first so the picture
// behind it does not matter.
inline std::string readText(const std::string& png, const std::string& region,
                            const std::string& folder)
{
    const std::string cropped = png + ".text.png";
    runProcess({"/usr/bin/convert", png, "-crop", region, "-colorspace", "gray", "-threshold",
                "92%", "-negate", cropped},
               folder, 30);
    return runProcess({"/usr/bin/tesseract", cropped, "-", "--psm", "6"}, folder, 60).output;
}

// Mean saturation (HSL) and mean brightness of the whole picture, 0 to 1.
struct PictureTone {
    double saturation = 0.0;
    double brightness = 0.0;
};

inline PictureTone measureTone(const std::string& png, const std::string& folder)
{
    PictureTone tone;
    const std::string saturation =
        runProcess({"/usr/bin/convert", png, "-colorspace", "HSL", "-channel", "G", "-separate",
                    "-format", "%[fx:mean]", "info:"},
                   folder, 30)
            .output;
    const std::string brightness = runProcess({"/usr/bin/convert", png, "-colorspace", "gray",
                                               "-format", "%[fx:mean]", "info:"},
                                              folder, 30)
                                       .output;
    tone.saturation = std::stod(saturation.empty() ? "-1" : saturation);
    tone.brightness = std::stod(brightness.empty() ? "-1" : brightness);
    return tone;
}
