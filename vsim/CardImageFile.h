#pragma once
#include "vsim/CardImage.h"

#include <string>

// Card images as text files (format: vsim/CARD_IMAGE_FORMAT.md).
//
//   CardImage img;
//   std::string error;
//   if (!CardImageFile::load("cards/demo.card", img, error)) ...  // error: "demo.card:12: ..."
//   CardImageFile::save(img, "copy.card", error);
class CardImageFile {
public:
    static bool load(const std::string& path, CardImage& image, std::string& error);
    // Parses `text`; errors name `source` and the line ("source:line: message").
    static bool parse(const std::string& text, const std::string& source, CardImage& image, std::string& error);
    static std::string format(const CardImage& image);
    // Writes the image through a temporary file renamed into place.
    static bool save(const CardImage& image, const std::string& path, std::string& error);
};
