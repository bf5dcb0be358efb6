#pragma once

#include "gui/GuiObject.h"

#include <deque>
#include <glm/vec3.hpp>
#include <memory>
#include <string>
#include <vector>

// Words for the sounds that carry meaning, shown at the bottom of the screen
// while they play, so a player who cannot hear them still learns what they say.

// "Cat meows", "Explosion" ...; empty for a sound that gets no caption.
std::string captionText(int soundId);

// Where a sound comes from as it is heard by a listener looking along `forward`:
// "↑" ahead, "→" right, "↓" behind, "←" left (the horizontal direction only).
std::string directionArrow(const glm::vec3& listener, const glm::vec3& forward, const glm::vec3& from);

// The captions on screen: at most three, oldest first (drawn at the top).
class CaptionQueue {
public:
    static constexpr size_t kMaxShown = 3;
    // Shorter sounds still stay this long, so the words can be read.
    static constexpr float kMinSeconds = 1.5f;

    // A sound started: its caption is shown for `seconds`, the newest one. A caption
    // already shown moves to the bottom and stays for the longer of both; the
    // oldest goes when a fourth comes. `positioned` gives it an arrow towards `from`.
    void add(const std::string& text, float seconds, bool positioned, const glm::vec3& from = glm::vec3(0.0f));
    // A sound that plays on (a loop) keeps its caption for at least `seconds` more.
    void keep(const std::string& text, float seconds);
    void update(float dt);
    void clear() { entries.clear(); }

    // The lines as shown, oldest first: an arrow before the words for a sound
    // ahead, behind or to the left, after them for one to the right.
    std::vector<std::string> lines(const glm::vec3& listener, const glm::vec3& forward) const;
    size_t size() const { return entries.size(); }

private:
    struct Entry {
        std::string text;
        float remaining = 0.0f;
        bool positioned = false;
        glm::vec3 from { 0.0f };
    };
    std::deque<Entry> entries;
};

// The queue drawn: one line of the menu font per caption, above the bottom edge.
class CaptionsOverlay : public GuiObject {
public:
    CaptionQueue queue;
    // Where the player stands and looks, set by the game every frame.
    glm::vec3 listener { 0.0f };
    glm::vec3 forward { 0.0f, 0.0f, -1.0f };
    bool enabled = false; // the "Captions" setting

    void update(float dt) override { queue.update(dt); }
    void draw() override;
    // The lines drawn by the last draw, for tests.
    const std::vector<std::string>& shownLines() const { return shown; }

private:
    std::vector<std::string> shown;
    std::vector<std::unique_ptr<GuiObject>> rows;
    std::vector<std::string> rowTexts; // what each row's picture shows now
};
