#include "gui/Captions.h"

#include "audio/SoundTable.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

std::string captionText(int soundId)
{
    switch (soundId) {
    case SOUND_MEOW:
        return "Cat meows";
    case SOUND_SUCCESS:
        return "Cat purrs";
    case SOUND_PIANO1:
        return "A sting of piano";
    case SOUND_HEARTBEAT:
        return "Heartbeat";
    case SOUND_FUSE:
        return "Fuse hisses";
    case SOUND_EXPLOSION:
        return "Explosion";
    case SOUND_THUNDER1:
        return "Thunder";
    case SOUND_JETPACK:
        return "Jetpack roars";
    default:
        return "";
    }
}

std::string directionArrow(const glm::vec3& listener, const glm::vec3& forward, const glm::vec3& from)
{
    const glm::vec2 ahead(forward.x, forward.z);
    const glm::vec2 towards(from.x - listener.x, from.z - listener.z);
    if (glm::length(ahead) < 1e-6f || glm::length(towards) < 1e-6f)
        return "↑"; // overhead or right here: ahead is as good as any
    // Right of the view is ahead turned a quarter clockwise seen from above.
    const glm::vec2 right(-ahead.y, ahead.x);
    const float front = glm::dot(glm::normalize(ahead), towards);
    const float side = glm::dot(glm::normalize(right), towards);
    if (std::abs(front) >= std::abs(side))
        return front >= 0.0f ? "↑" : "↓";
    return side > 0.0f ? "→" : "←";
}

void CaptionQueue::add(const std::string& text, float seconds, bool positioned, const glm::vec3& from)
{
    if (text.empty())
        return;
    Entry entry { text, std::max(seconds, kMinSeconds), positioned, from };
    const auto same = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.text == text; });
    if (same != entries.end()) {
        entry.remaining = std::max(entry.remaining, same->remaining);
        entries.erase(same);
    }
    entries.push_back(entry);
    while (entries.size() > kMaxShown)
        entries.pop_front();
}

void CaptionQueue::keep(const std::string& text, float seconds)
{
    for (Entry& entry : entries)
        if (entry.text == text)
            entry.remaining = std::max(entry.remaining, seconds);
}

void CaptionQueue::update(float dt)
{
    for (Entry& entry : entries)
        entry.remaining -= dt;
    std::erase_if(entries, [](const Entry& e) { return e.remaining <= 0.0f; });
}

std::vector<std::string> CaptionQueue::lines(const glm::vec3& listener, const glm::vec3& forward) const
{
    std::vector<std::string> result;
    for (const Entry& entry : entries) {
        if (!entry.positioned) {
            result.push_back(entry.text);
            continue;
        }
        const std::string arrow = directionArrow(listener, forward, entry.from);
        result.push_back(arrow == "→" ? entry.text + " " + arrow : arrow + " " + entry.text);
    }
    return result;
}

namespace {

// The menu font on a dark band, so the words read over snow and night alike.
const TextStyle captionStyle { 720, 36, 30, { 1, 1, 1 }, { 20, 27 } };
constexpr float kBottomRowY = -0.455f;
constexpr float kRowStep = 0.055f;
constexpr glm::vec2 kRowScale { 0.6f, 0.05f };

} // namespace

void CaptionsOverlay::draw()
{
    shown = enabled ? queue.lines(listener, forward) : std::vector<std::string>();
    while (rows.size() < shown.size()) {
        rows.push_back(std::make_unique<GuiObject>());
        rowTexts.emplace_back();
    }
    // The newest at the bottom.
    const size_t count = shown.size();
    for (size_t i = 0; i < count; ++i) {
        GuiObject& row = *rows[i];
        if (rowTexts[i] != shown[i]) {
            rowTexts[i] = shown[i];
            row.setImage(renderText(shown[i], captionStyle));
        }
        row.backgroundColor = glm::vec4(0.0f, 0.0f, 0.0f, 0.5f);
        const float y = kBottomRowY + kRowStep * float(count - 1 - i);
        row.modelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, y, 0.002f))
            * glm::scale(glm::mat4(1.0f), glm::vec3(kRowScale, 0.0f));
        row.draw();
    }
}
