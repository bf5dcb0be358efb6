// The GUI drawn for real into an offscreen framebuffer: the main menu over
// its background, the game-over caption over its background, the heads-up
// objects, and missing pictures.
#include "gui/Gui.h"

#include "render/GlContextFixture.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/TestFiles.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int WIDTH = 720;
constexpr int HEIGHT = 400;

struct Rgba {
    int r, g, b, a;
};

// A solid picture; RGB when alpha is negative.
std::vector<uint8_t> solidPng(int r, int g, int b, int a = -1)
{
    TestPng png;
    png.width = png.height = 4;
    png.colorType = a < 0 ? 2 : 6;
    for (int i = 0; i < 16; ++i) {
        png.samples.insert(png.samples.end(), { uint8_t(r), uint8_t(g), uint8_t(b) });
        if (a >= 0)
            png.samples.push_back(uint8_t(a));
    }
    return encodePng(png);
}

// RGB, top half one colour and bottom half another.
std::vector<uint8_t> twoBandPng(Rgba top, Rgba bottom)
{
    TestPng png;
    png.width = png.height = 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            Rgba c = y < 8 ? top : bottom;
            png.samples.insert(png.samples.end(), { uint8_t(c.r), uint8_t(c.g), uint8_t(c.b) });
        }
    return encodePng(png);
}

class GuiDrawGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (!context)
            return;
        files.write("textures/menu.png", twoBandPng({ 0, 0, 200, 255 }, { 0, 0, 100, 255 }));
        files.write("textures/name.png", solidPng(255, 255, 0, 255));
        files.write("textures/gameover.png", solidPng(40, 40, 40));
        files.write("textures/created_by.png", solidPng(0, 0, 0, 0));
        files.write("textures/gui_element.png", solidPng(0, 0, 255, 255));
        files.write("textures/mouse_helper_left.png", solidPng(255, 0, 255, 255));
        files.write("textures/mouse_helper_right.png", solidPng(0, 255, 255, 255));
        files.write("textures/mouse_helper_no.png", solidPng(128, 128, 128, 255));

        {
            // The game's own shader table, as the GUI finds it in play.
            ScopedWorkingDirectory run(MOSSGRAVE_RUN_DIR);
            loadShaders();
        }
        ASSERT_NE(getShader(SHADER_GUI)->program, 0u);

        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, WIDTH, HEIGHT);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, WIDTH, HEIGHT);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, WIDTH, HEIGHT);
        clear(0, 0, 0);
    }

    void TearDown() override
    {
        if (context) {
            gui.reset();
            freeShaders();
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glDeleteFramebuffers(1, &framebuffer);
            glDeleteRenderbuffers(2, renderbuffers);
        }
        GlTest::TearDown();
    }

    Gui& makeGui()
    {
        gui = std::make_unique<Gui>();
        return *gui;
    }

    void clear(float r, float g, float b)
    {
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void readBack()
    {
        pixels.assign(size_t(WIDTH * HEIGHT * 4), 0);
        glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

    // The pixel under a point of GUI space.
    Rgba at(float x, float y) const
    {
        int px = std::clamp(int((x + 0.5f) * WIDTH), 0, WIDTH - 1);
        int py = std::clamp(int((y + 0.5f) * HEIGHT), 0, HEIGHT - 1);
        const uint8_t* p = &pixels[size_t(py * WIDTH + px) * 4];
        return { p[0], p[1], p[2], p[3] };
    }

    // Pixels inside the GUI-space rectangle that pass the test.
    int count(float x0, float y0, float x1, float y1, const std::function<bool(Rgba)>& test) const
    {
        int n = 0;
        for (int py = int((y0 + 0.5f) * HEIGHT); py < int((y1 + 0.5f) * HEIGHT); ++py)
            for (int px = int((x0 + 0.5f) * WIDTH); px < int((x1 + 0.5f) * WIDTH); ++px) {
                const uint8_t* p = &pixels[size_t(py * WIDTH + px) * 4];
                n += test({ p[0], p[1], p[2], p[3] });
            }
        return n;
    }

    static bool green(Rgba c) { return c.g > 150 && c.r < 80; }
    static bool red(Rgba c) { return c.r > 150 && c.g < 80 && c.b < 80; }

    TempDir files;
    ScopedWorkingDirectory cwd { files.path() };
    std::unique_ptr<Gui> gui;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = { 0, 0 };
    std::vector<uint8_t> pixels;
};

void expectColour(Rgba actual, Rgba expected)
{
    EXPECT_NEAR(actual.r, expected.r, 2);
    EXPECT_NEAR(actual.g, expected.g, 2);
    EXPECT_NEAR(actual.b, expected.b, 2);
}

} // namespace

TEST_F(GuiDrawGlTest, MainMenuOverItsBackgroundWithTheNameAndItsEntries)
{
    makeGui();
    gui->draw();
    readBack();
    // Background upright: its top rows at the top of the window.
    expectColour(at(-0.4f, 0.3f), { 0, 0, 200, 255 });
    expectColour(at(-0.4f, -0.3f), { 0, 0, 100, 255 });
    expectColour(at(0, 0.4f), { 255, 255, 0, 255 }); // the game name

    // "Start Game" selected (green) at (0.18, -0.1), "Quit" red below it.
    EXPECT_GT(count(-0.12f, -0.145f, 0.48f, -0.055f, green), 200);
    EXPECT_EQ(count(-0.12f, -0.145f, 0.48f, -0.055f, red), 0);
    EXPECT_GT(count(-0.085f, -0.245f, 0.515f, -0.155f, red), 100);
    EXPECT_EQ(count(-0.085f, -0.245f, 0.515f, -0.155f, green), 0);
    // Text reads top down: nothing below the baseline row of the entry
    // (36 surface rows map onto 36 window rows here).
    EXPECT_EQ(count(-0.12f, -0.145f, 0.48f, -0.145f + 9.0f / HEIGHT, green), 0);
}

TEST_F(GuiDrawGlTest, GameOverCaptionStaysInFrontOfItsBackground)
{
    Gui& g = makeGui();
    g.screenFlags = SCREEN_GAME_OVER;
    g.gameOverMenu->setCaption(3);
    g.draw();
    readBack();
    expectColour(at(0.45f, 0.0f), { 40, 40, 40, 255 });
    // Caption band at y = -0.37: red text, the background around it.
    EXPECT_GT(count(-0.5f, -0.42f, 0.5f, -0.32f, red), 100);
    expectColour(at(0.45f, -0.37f), { 40, 40, 40, 255 });
    EXPECT_GT(count(-0.3f, 0.355f, 0.3f, 0.445f, green), 200); // respawn entry
    EXPECT_GT(count(-0.3f, 0.155f, 0.3f, 0.245f, red), 50); // "Quit"
}

TEST_F(GuiDrawGlTest, HudShowsTheHintAndTheItemPanelAndRestoresState)
{
    Gui& g = makeGui();
    g.screenFlags = SCREEN_WORLD;
    struct {
        int count = 3;
        std::string name = "Dynamite";
    } item;
    g.ammoOverlay->showItem(&item);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    g.draw();
    readBack();
    expectColour(at(0, -0.2f), { 0, 0, 0, 255 }); // no hint yet
    expectColour(at(-0.35f + 0.045f, -0.42f - 0.05f), { 0, 0, 255, 255 }); // panel edge
    EXPECT_GT(count(-0.39f, -0.47f, -0.31f, -0.37f, [](Rgba c) { return c.r > 200 && c.g > 200; }), 20);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint func = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    EXPECT_EQ(func, GL_GREATER);
    glDepthFunc(GL_LESS);
    glDisable(GL_DEPTH_TEST);

    g.buttonHelper->setHint(0, -1.0f);
    g.draw();
    readBack();
    expectColour(at(0, -0.2f), { 255, 0, 255, 255 });
    g.update(0.75f);
    g.draw();
    readBack();
    expectColour(at(0, -0.2f), { 128, 128, 128, 255 });
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(GuiDrawGlTest, MissingPicturesAreReportedOnceAndTheMenuStillWorks)
{
    std::filesystem::remove_all(files.path() / "textures");
    Gui& g = makeGui();
    testing::internal::CaptureStderr();
    g.draw();
    g.draw();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors,
        "Gui: could not load image textures/menu.png\n"
        "Gui: could not load image textures/name.png\n");
    readBack();
    EXPECT_GT(count(-0.12f, -0.145f, 0.48f, -0.055f, green), 200);
}
