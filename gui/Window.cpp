#include "gui/Window.h"

namespace vexmolda {

Window* activeWindow = nullptr;

float slidX(float x, float width, float slide) { return x * slide - (1 - slide) * width; }

Window::Window(std::string title, float x, float y, float width, float height)
    : GuiElement(x, y, width, height, &guiRoot), title(std::move(title)) {}

GuiElement* Window::hitTest(float px, float py) {
    if (!shown) return nullptr;
    return GuiElement::hitTest(px, py);
}

void Window::update(float dt) {
    if (animating) {
        const float step = slideSpeed * dt;
        if (shown) {
            slide -= step;
            if (slide <= 0) {
                slide = 0;
                shown = false;
                animating = false;
            }
        } else {
            slide += step;
            if (slide >= 1) {
                slide = 1;
                shown = true;
                animating = false;
            }
        }
    }
    GuiElement::update(dt);
}

void Window::draw() {
    draw::pushMatrix();
    draw::translate(slidX(x, width, slide), y);
    drawSelf();
    for (GuiElement* child : children) child->draw();
    draw::popMatrix();
}

void Window::drawSelf() {
    if (!visible()) return;
    GuiElement::drawSelf();
    draw::setLineWidth(2);
    draw::setColorF(0.5f, 0.5f, 0.5f);
    draw::strokeRect(0, 0, width, height);
    draw::setLineWidth(1);
}

void Window::open() {
    if (!animating) {
        if (shown) return;
        if (activeWindow && activeWindow != this) activeWindow->close();
        activeWindow = this;
        animating = true;
    } else if (shown) {
        shown = false;
    }
}

void Window::close() {
    if (animating && !shown) {
        shown = true;
    } else if (!animating && shown) {
        animating = true;
    }
}

void Window::toggle() {
    if (animating) {
        shown = !shown;
    } else if (shown) {
        close();
    } else {
        open();
    }
}

}  // namespace vexmolda
