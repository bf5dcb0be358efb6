#include "gui/ButtonHelper.h"

#include "gui/GuiImages.h"

ButtonHelper::ButtonHelper()
    : leftImage(makeImageObject("textures/mouse_helper_left.png", guiLayout::buttonHelper))
    , rightImage(makeImageObject("textures/mouse_helper_right.png", guiLayout::buttonHelper))
    , noButtonImage(makeImageObject("textures/mouse_helper_no.png", guiLayout::buttonHelper))
{
    place(guiLayout::buttonHelper);
}

ButtonHelper::~ButtonHelper() = default;

void ButtonHelper::setHint(int button, float seconds)
{
    hint = button;
    hintTime = seconds;
}

void ButtonHelper::clearUnlimitedHint()
{
    if (hintTime == -1.0f)
        hint = -1;
}

void ButtonHelper::update(float dt)
{
    if (hint == -1)
        return;
    if (hintTime != -1.0f) {
        hintTime -= dt;
        if (hintTime <= 0.0f) {
            hint = -1;
            hintTime = -1.0f;
            return;
        }
    }
    // The blink keeps its phase while the world re-sets the same hint
    // every step.
    blinkTimer += dt;
    if (blinkTimer >= BLINK_INTERVAL) {
        blinkTimer -= BLINK_INTERVAL;
        blink = !blink;
    }
}

GuiObject* ButtonHelper::currentImage() const
{
    if (hint == -1)
        return nullptr;
    if (blink)
        return noButtonImage.get();
    return hint == 0 ? leftImage.get() : rightImage.get();
}

void ButtonHelper::draw()
{
    if (GuiObject* image = currentImage())
        image->draw();
}
