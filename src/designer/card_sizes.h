#pragma once
// The five envelope card sizes and the four shadow distance steps.

struct CardSize {
    const char* entry;                                  // the size list's entry text
    double width, height, main_text_top, name_text_top; // inches
};

// The first entry begins with a carriage return, in the list and wherever it is compared.
inline constexpr CardSize card_sizes[] = {
    {"\r15.2 x 15.2 cm.", 6.0, 6.0, 1.6, 2.25}, {"14.5 x 13.7 cm.", 5.75, 5.3, 1.41, 2.0},
    {"18.3 x 13.5 cm.", 7.25, 5.28, 1.4, 2.05}, {"19.5 x 11.0 cm.", 7.58, 4.27, 1.21, 1.75},
    {"16.0 x 10.8 cm.", 6.26, 4.25, 1.2, 1.73},
};

// Step p places the preview shadow p + 1 pixels right and down; its print offset in inches.
inline constexpr double shadow_print_offset[] = {0.006, 0.014, 0.02, 0.03};
inline constexpr int shadow_pixels(int step)
{
    return step + 1;
}
