#include "gui/ButtonHelper.h"

#include "gui/GuiImages.h"
#include "gui/GuiText.h"

ButtonHelper::ButtonHelper()
    : leftImage(makeImageObject("textures/mouse_helper_left.png", guiLayout::buttonHelper))
    , rightImage(makeImageObject("textures/mouse_helper_right.png", guiLayout::buttonHelper))
    , noButtonImage(makeImageObject("textures/mouse_helper_no.png", guiLayout::buttonHelper))
{
    place(guiLayout::buttonHelper);
}

ButtonHelper::~ButtonHelper() = default;

void ButtonHelper::showHintAs(int which, int mouseButton, const std::string& keyName)
{
    if (which < 0 || which > 1)
        return;
    hintButton[size_t(which)] = mouseButton;
    hintKey[size_t(which)].reset();
    if (mouseButton == 0 || mouseButton == 1)
        return;
    // White on the mouse's spot, large enough to read at a glance.
    auto key = std::make_unique<GuiObject>();
    key->setImage(renderText(keyName, TextStyle { 240, 80, 56, { 1, 1, 1 }, { 10, 60 } }));
    key->place(GuiPlacement { { 0.3f, 0.1f }, guiLayout::buttonHelper.position });
    hintKey[size_t(which)] = std::move(key);
}

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
    const int button = hint == 0 || hint == 1 ? hintButton[size_t(hint)] : hint;
    if (button == 0)
        return leftImage.get();
    if (button == 1)
        return rightImage.get();
    return hintKey[size_t(hint)].get();
}

void ButtonHelper::draw()
{
    if (GuiObject* image = currentImage())
        image->draw();
}
