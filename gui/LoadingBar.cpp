#include "gui/LoadingBar.h"

LoadingBar::LoadingBar()
{
    place(guiLayout::loadingBar);
    render();
}

void LoadingBar::setText(const std::string& value)
{
    text = value;
    render();
}

void LoadingBar::setProgress(float fraction)
{
    progress = fraction;
    render();
}

void LoadingBar::setShowProgress(bool flag)
{
    showProgress = flag;
    render();
}

void LoadingBar::render()
{
    setImage(renderText(line(), textStyle::loadingBar));
}
