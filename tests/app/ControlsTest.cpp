// The control table: defaults, swaps, saved values and the names a player reads.
#include "app/Controls.h"
#include "app/Input.h"

#include <GL/glew.h> // before GLFW, for the test files batched with this one
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

std::set<Binding::Device> devices(const ControlTable& table)
{
    std::set<Binding::Device> seen;
    for (int a = 0; a < kActionCount; ++a)
        seen.insert(table.binding(Action(a)).device);
    return seen;
}

// No key or button stands for two actions, and every action has one.
void expectEveryActionBoundOnce(const ControlTable& table)
{
    std::set<std::pair<int, int>> seen;
    for (int a = 0; a < kActionCount; ++a) {
        const Binding b = table.binding(Action(a));
        EXPECT_GE(b.code, 0) << actionKeyName(Action(a));
        EXPECT_TRUE(seen.insert({ int(b.device), b.code }).second) << actionKeyName(Action(a));
        EXPECT_EQ(table.actionFor(b), Action(a));
    }
}

TEST(Controls, DefaultsAreTheGamesKeysOfOld)
{
    const ControlTable table;
    const struct {
        int key;
        Action action;
    } keys[] = { { 87, Action::Forward }, { 83, Action::Back }, { 65, Action::Left }, { 68, Action::Right },
        { 32, Action::Jump }, { 340, Action::Run }, { 70, Action::Flashlight }, { 49, Action::Slot1 },
        { 57, Action::Slot9 }, { 256, Action::Pause }, { 301, Action::DebugOverlay }, { 291, Action::Screenshot },
        { 300, Action::Fullscreen } };
    for (const auto& k : keys)
        EXPECT_EQ(table.actionForKey(k.key), k.action) << k.key;
    EXPECT_EQ(table.actionForMouse(0), Action::Use);
    EXPECT_EQ(table.actionForMouse(1), Action::Activate);
    EXPECT_EQ(table.actionForMouse(2), std::nullopt);
    EXPECT_EQ(table.actionForKey(344), std::nullopt); // right shift
    EXPECT_EQ(table.actionForKey(0), std::nullopt); // a key code 0 is not the left button
    expectEveryActionBoundOnce(table);

    const InputEvent f11 = InputEvent::key(GLFW_KEY_F11, GLFW_PRESS);
    EXPECT_TRUE(table.isAction(Action::Fullscreen, f11));
    EXPECT_FALSE(table.isAction(Action::Screenshot, f11));
    EXPECT_FALSE(table.isAction(Action::Fullscreen, InputEvent::key(GLFW_KEY_F11, GLFW_REPEAT)));
    EXPECT_TRUE(table.isAction(Action::Use, InputEvent::mouseButton(0, GLFW_PRESS)));
    EXPECT_FALSE(table.isAction(Action::Use, InputEvent::key(0, GLFW_PRESS)));
}

TEST(Controls, BindingATakenKeySwapsAndEveryActionStaysBound)
{
    ControlTable table;
    EXPECT_EQ(table.bind(Action::Forward, Binding::key(GLFW_KEY_UP)), std::vector<Action> { Action::Forward });
    EXPECT_EQ(table.actionForKey(GLFW_KEY_W), std::nullopt);
    // S was back's: back gets Up, forward's key before.
    EXPECT_EQ(table.bind(Action::Forward, Binding::key(GLFW_KEY_S)),
        (std::vector<Action> { Action::Forward, Action::Back }));
    EXPECT_EQ(table.binding(Action::Back), Binding::key(GLFW_KEY_UP));
    // Across devices: the left button for jumping, Space for using.
    EXPECT_EQ(table.bind(Action::Jump, Binding::mouse(0)), (std::vector<Action> { Action::Jump, Action::Use }));
    EXPECT_EQ(table.binding(Action::Use), Binding::key(GLFW_KEY_SPACE));
    EXPECT_EQ(devices(table).size(), 2u);
    EXPECT_TRUE(table.bind(Action::Jump, Binding::mouse(0)).empty()); // already so
    expectEveryActionBoundOnce(table);

    EXPECT_EQ(table.resetToDefaults(), (std::vector<Action> { Action::Forward, Action::Back, Action::Jump, Action::Use }));
    EXPECT_EQ(table.binding(Action::Forward), Binding::key(GLFW_KEY_W));
    EXPECT_TRUE(table.resetToDefaults().empty());
}

TEST(Controls, SavedValuesReadBackAndBadOnesKeepTheDefault)
{
    for (const Binding b : { Binding::key(265), Binding::key(GLFW_KEY_LAST), Binding::key(GLFW_KEY_APOSTROPHE),
             Binding::mouse(0), Binding::mouse(7) })
        EXPECT_EQ(parseBinding(formatBinding(b)), b) << formatBinding(b);
    EXPECT_EQ(formatBinding(Binding::mouse(1)), "Mouse2");
    for (const char* bad : { "", "abc", "-1", "0", "31", "349", "99999", "265x", "Mouse0", "Mouse9", "Mouse", "mouse1" })
        EXPECT_EQ(parseBinding(bad), std::nullopt) << bad;

    ControlTable table;
    std::ostringstream err;
    table.load("Width=640\nKey_Forward=265\n# Key_Back=87 is a comment word of its own\nKey_Jump=Mouse3 "
               "Key_Run=banana\nKey_Slot1=Mouse1\nKey_Flashlight\n",
        err);
    EXPECT_EQ(table.binding(Action::Forward), Binding::key(GLFW_KEY_UP));
    EXPECT_EQ(table.binding(Action::Back), Binding::key(GLFW_KEY_W)); // "Key_Back=87" is read as well
    EXPECT_EQ(table.binding(Action::Jump), Binding::mouse(2));
    EXPECT_EQ(table.binding(Action::Run), Binding::key(GLFW_KEY_LEFT_SHIFT));
    EXPECT_EQ(table.binding(Action::Slot1), Binding::mouse(0)); // swapped with use
    EXPECT_EQ(table.binding(Action::Use), Binding::key(GLFW_KEY_1));
    EXPECT_EQ(table.binding(Action::Flashlight), Binding::key(GLFW_KEY_F));
    EXPECT_EQ(err.str(),
        "Warning, Key_Run must be a key code or Mouse1 to Mouse8! Keeping 340.\n"
        "Warning, Key_Flashlight must be a key code or Mouse1 to Mouse8! Keeping 70.\n");
    expectEveryActionBoundOnce(table);

    // Only the actions asked for are written, in the table's order.
    const auto changes = controlConfigChanges(table, { Action::Slot1, Action::Forward });
    EXPECT_EQ(changes, (std::vector<std::pair<std::string, std::string>> {
                           { "Key_Forward", "265" }, { "Key_Slot1", "Mouse1" } }));
}

TEST(Controls, MenusKeepTheirKeysAndTakeTheBoundOnes)
{
    struct Case {
        int key;
        MenuKey inMenu, inPlay;
    };
    auto check = [](const ControlTable& table, std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(menuKeyFor(c.key, table, true), c.inMenu) << c.key;
            EXPECT_EQ(menuKeyFor(c.key, table, false), c.inPlay) << c.key;
        }
    };
    // The menus' own keys with the default bindings; in play only Escape and
    // F12 reach the menus.
    check(ControlTable(), {
        { GLFW_KEY_UP, MenuKey::Up, MenuKey::None },
        { GLFW_KEY_W, MenuKey::Up, MenuKey::None }, // forward's
        { GLFW_KEY_DOWN, MenuKey::Down, MenuKey::None },
        { GLFW_KEY_S, MenuKey::Down, MenuKey::None },
        { GLFW_KEY_LEFT, MenuKey::Left, MenuKey::None },
        { GLFW_KEY_A, MenuKey::Left, MenuKey::None },
        { GLFW_KEY_RIGHT, MenuKey::Right, MenuKey::None },
        { GLFW_KEY_D, MenuKey::Right, MenuKey::None },
        { GLFW_KEY_ENTER, MenuKey::Choose, MenuKey::None },
        { GLFW_KEY_SPACE, MenuKey::Choose, MenuKey::None }, // jump's
        { GLFW_KEY_ESCAPE, MenuKey::Back, MenuKey::Back },
        { GLFW_KEY_F12, MenuKey::DebugOverlay, MenuKey::DebugOverlay },
        { GLFW_KEY_KP_ENTER, MenuKey::None, MenuKey::None },
        { GLFW_KEY_LEFT_SHIFT, MenuKey::None, MenuKey::None }, // run's
    });

    ControlTable table;
    table.bind(Action::Forward, Binding::key(GLFW_KEY_Z)); // an AZERTY player
    table.bind(Action::Pause, Binding::key(GLFW_KEY_P));
    table.bind(Action::Jump, Binding::key(GLFW_KEY_W)); // W stays the menus' up
    table.bind(Action::DebugOverlay, Binding::key(GLFW_KEY_SPACE));
    table.bind(Action::Run, Binding::key(GLFW_KEY_F12));
    check(table, {
        { GLFW_KEY_Z, MenuKey::Up, MenuKey::None },
        { GLFW_KEY_P, MenuKey::Back, MenuKey::Back },
        { GLFW_KEY_ESCAPE, MenuKey::Back, MenuKey::Back }, // nobody's now, still pauses
        { GLFW_KEY_W, MenuKey::Up, MenuKey::None },
        { GLFW_KEY_SPACE, MenuKey::Choose, MenuKey::DebugOverlay }, // chooses in menus, shows the rows in play
        { GLFW_KEY_F12, MenuKey::DebugOverlay, MenuKey::None }, // run's: no debug rows in play
        { GLFW_KEY_F, MenuKey::None, MenuKey::None }, // the flashlight's: no menu key
        { GLFW_KEY_Q, MenuKey::None, MenuKey::None },
    });

    // F12 nobody's shows the rows as the bound key does.
    ControlTable moved;
    moved.bind(Action::DebugOverlay, Binding::key(GLFW_KEY_G));
    ASSERT_FALSE(moved.actionForKey(GLFW_KEY_F12).has_value());
    check(moved, {
        { GLFW_KEY_F12, MenuKey::DebugOverlay, MenuKey::DebugOverlay },
        { GLFW_KEY_G, MenuKey::DebugOverlay, MenuKey::DebugOverlay },
    });
}

TEST(Controls, KeyNamesComeFromTheLayoutOrTheFixedList)
{
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_LEFT_SHIFT)), "Left Shift");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_SPACE), "x"), "Space"); // no layout name for Space
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_UP)), "Up");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_F11)), "F11");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_KP_7)), "Keypad 7");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_W)), "W");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_W), "z"), "Z"); // an AZERTY layout
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_SEMICOLON), "\xc3\xa9"), "\xc3\xa9");
    EXPECT_EQ(bindingName(Binding::mouse(0)), "Mouse Left");
    EXPECT_EQ(bindingName(Binding::mouse(1)), "Mouse Right");
    EXPECT_EQ(bindingName(Binding::mouse(4)), "Mouse 5");
    EXPECT_EQ(bindingName(Binding::key(GLFW_KEY_WORLD_1)), "Key 161");
    // Every action has a label and a saved name of its own.
    std::set<std::string> labels, names;
    for (int a = 0; a < kActionCount; ++a) {
        labels.insert(actionLabel(Action(a)));
        names.insert(actionKeyName(Action(a)));
    }
    EXPECT_EQ(labels.size(), size_t(kActionCount));
    EXPECT_EQ(names.size(), size_t(kActionCount));
}

} // namespace
