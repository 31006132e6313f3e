// The help box shown the first time a player meets the bonus board: five pages with a
// picture each, ">>" to the next page and "Okay" on the last.
#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics.hpp"
#include "ui/requester.hpp"

class BonusTutorial : public TRequester {
public:
    static constexpr int32_t PAGE_COUNT = 5;

    BonusTutorial();
    void Render2(float x, float y) override;
    // The box has no hot areas of its own; its buttons are drawn in Render2.
    void ButtonPressed(const std::string& name) override;

    // Empty while open, "Exit" once the player has read all pages.
    std::string ButtonPressStr;
    ImageRef icons;
    std::string Line;  // the current page's text, translated
    int32_t Stp = 0;   // page 0 to 4

    // The English text of a page, as the language table knows it.
    static const char* PageText(int32_t page);
};
