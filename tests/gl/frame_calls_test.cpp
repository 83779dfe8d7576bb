// The GL calls of the real program, recorded by apitrace around
// build/talmir-frames: the second frame call by call (its state, the view,
// the sky sphere, all 1600 terrain quads, the ground quad and all 300
// billboards with their sway) against values worked out here from the same
// grid, clump table and random sequence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "scene/random_source.h"
#include "scene/terrain.h"

namespace fs = std::filesystem;

namespace {

struct Call {
  std::string name;
  std::string arguments;  // as apitrace prints them: "x = 1, y = 2"
  std::vector<double> values;  // the numbers after each " = "
};

std::vector<double> Numbers(const std::string &arguments) {
  std::vector<double> values;
  for (size_t at = arguments.find("= "); at != std::string::npos; at = arguments.find("= ", at + 2)) {
    const char *start = arguments.c_str() + at + 2;
    char *end = nullptr;
    double value = std::strtod(start, &end);
    if (end != start) values.push_back(value);
  }
  return values;
}

// Every GL and EGL call of the dump, in order.
std::vector<Call> ReadDump(const fs::path &path) {
  std::vector<Call> calls;
  std::ifstream in(path);
  std::string line;
  const std::regex shape(R"(^\d+ (\w+)\((.*)\)( = .*)?$)");
  std::smatch m;
  while (std::getline(in, line))
    if (std::regex_match(line, m, shape)) calls.push_back(Call{m[1], m[2], Numbers(m[2])});
  return calls;
}

std::string ReadText(const fs::path &path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct FrameCalls : testing::Test {
  static bool haveApitrace;
  static std::string problem;
  static std::vector<Call> calls;
  static void SetUpTestSuite() {
    haveApitrace = std::system("command -v apitrace > /dev/null") == 0;
    if (!haveApitrace) return;
    fs::path work = fs::temp_directory_path() / ("talmir-calls-" + std::to_string(getpid()));
    fs::create_directories(work);
    std::string build = TALMIR_BUILD_DIR;
    // The tool changes into the run folder, so the trace's path is absolute. A
    // sanitizer build must let apitrace's library load ahead of it.
    std::string command = "cd '" + work.string() + "' && ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 " +
                          "apitrace trace --api egl -o '" + (work / "frames.trace").string() + "' '" + build + "/talmir-frames' --run-dir '" +
                          build + "/run' --out '" + work.string() + "' --count 2 > trace.log 2>&1 && " +
                          "apitrace dump --color=never frames.trace > frames.dump";
    if (std::system(command.c_str()) == 0) calls = ReadDump(work / "frames.dump");
    if (calls.empty()) problem = command + "\n" + ReadText(work / "trace.log");
    fs::remove_all(work);
  }
  void SetUp() override {
    if (!haveApitrace) GTEST_SKIP() << "apitrace is not installed";
    ASSERT_TRUE(problem.empty()) << "apitrace could not record talmir-frames: " << problem;
  }
  // The calls between the nth and the next buffer swap (n = 1: the second frame).
  static std::vector<Call> Frame(int n) {
    std::vector<Call> frame;
    int swaps = 0;
    for (const Call &c : calls) {
      if (c.name == "eglSwapBuffers") {
        if (++swaps > n) break;
        continue;
      }
      // The tool finishes each frame after its swap; that is not the frame's.
      if (swaps == n && c.name != "glFinish") frame.push_back(c);
    }
    return frame;
  }
  static std::vector<unsigned> TextureNames() {
    for (const Call &c : calls)
      if (c.name == "glGenTextures") {
        std::vector<unsigned> names;
        size_t open = c.arguments.find('{');
        for (const char *p = c.arguments.c_str() + open + 1; *p && *p != '}';) {
          char *end;
          names.push_back((unsigned)std::strtoul(p, &end, 10));
          p = *end == ',' ? end + 2 : end;
        }
        return names;
      }
    return {};
  }
};
bool FrameCalls::haveApitrace = false;
std::string FrameCalls::problem;
std::vector<Call> FrameCalls::calls;

std::string Text(const Call &c) { return c.name + "(" + c.arguments + ")"; }

// A walk through a frame's calls, one expected call at a time.
struct Cursor {
  const std::vector<Call> &calls;
  size_t at = 0;
  const Call &Next() {
    static const Call none{"(end of frame)", "", {}};
    return at < calls.size() ? calls[at++] : none;
  }
  void Expect(const std::string &text) { EXPECT_EQ(Text(Next()), text) << "call " << at; }
  // A call of that name whose numbers match within apitrace's printed precision.
  void ExpectValues(const std::string &name, std::vector<double> values) {
    const Call &c = Next();
    ASSERT_EQ(c.name, name) << "call " << at << ": " << Text(c);
    ASSERT_EQ(c.values.size(), values.size()) << Text(c);
    for (size_t k = 0; k < values.size(); ++k)
      ASSERT_NEAR(c.values[k], values[k], 2e-4 + std::fabs(values[k]) * 2e-6) << "call " << at << ": " << Text(c);
  }
};

std::string Bind(unsigned name) { return "glBindTexture(target = GL_TEXTURE_2D, texture = " + std::to_string(name) + ")"; }

}  // namespace

TEST_F(FrameCalls, SecondFrameCallByCall) {
  std::vector<unsigned> names = TextureNames();
  ASSERT_EQ(names.size(), 9u);
  std::vector<Call> frame = Frame(1);
  Cursor cursor{frame};
  // Per-frame state, fog and light, in order.
  for (const char *text :
       {"glLoadIdentity()", "glClearDepth(depth = 1)", "glDepthFunc(func = GL_LESS)", "glEnable(cap = GL_DEPTH_TEST)",
        "glHint(target = GL_PERSPECTIVE_CORRECTION_HINT, mode = GL_NICEST)",
        "glHint(target = GL_POLYGON_SMOOTH_HINT, mode = GL_NICEST)",
        "glClear(mask = GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
        "glFogfv(pname = GL_FOG_COLOR, params = {0.5, 0.5, 0.6, 1})", "glFogf(pname = GL_FOG_DENSITY, param = 0.002)",
        "glHint(target = GL_FOG_HINT, mode = GL_FASTEST)", "glEnable(cap = GL_FOG)",
        "glLightfv(light = GL_LIGHT1, pname = GL_AMBIENT, params = {0.5, 0.5, 0.6, 1})",
        "glLightfv(light = GL_LIGHT1, pname = GL_DIFFUSE, params = {1, 1, 1, 1})",
        "glLightfv(light = GL_LIGHT1, pname = GL_POSITION, params = {50, 50, 1, 1})",
        "glLightfv(light = GL_LIGHT1, pname = GL_SPOT_DIRECTION, params = {50, 50, 0})", "glEnable(cap = GL_LIGHT1)",
        "glEnable(cap = GL_LIGHTING)",
        // The view of the second frame: no dolly, level, pitch 0, clock 0.14.
        "glTranslatef(x = 0, y = 0, z = 0)", "glRotatef(angle = 0, x = 0, y = 0, z = 1)",
        "glRotatef(angle = -60, x = 1, y = 0, z = 0)", "glRotatef(angle = 0.56, x = 0, y = 0, z = 1)",
        "glColor3f(red = 1, green = 1, blue = 1)"})
    cursor.Expect(text);
  // The sky sphere round the origin, 10 below the viewer: 12 strips of
  // vertices 2000 from its centre, the translation taken back afterwards.
  cursor.Expect(Bind(names[7]));
  cursor.Expect("glTranslatef(x = 0, y = 0, z = -10)");
  int strips = 0;
  for (const Call *c = &cursor.Next(); c->name != "glTranslatef"; c = &cursor.Next()) {
    ASSERT_TRUE(c->name == "glBegin" || c->name == "glEnd" || c->name == "glNormal3f" || c->name == "glTexCoord2f" ||
                c->name == "glVertex3f")
        << Text(*c);
    strips += c->name == "glBegin";
    if (c->name == "glVertex3f") {
      ASSERT_NEAR(std::hypot(c->values[0], c->values[1], c->values[2]), 2000.0, 0.01) << Text(*c);
    }
  }
  EXPECT_EQ(strips, 12);
  EXPECT_EQ(Text(frame[cursor.at - 1]), "glTranslatef(x = -0, y = -0, z = 10)");
  // The terrain patch: every cell its own quad, grid vertex plus offset.
  GenerateTerrain();  // this process's first generation, as the program's
  cursor.Expect(Bind(names[8]));
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 40; ++j) {
      cursor.Expect("glBegin(mode = GL_QUADS)");
      const int corners[4][2] = {{i, j + 1}, {i, j}, {i + 1, j}, {i + 1, j + 1}};
      for (const auto &corner : corners) {
        const TerrainVertex &v = terrainGrid.vertex[corner[0]][corner[1]];
        cursor.ExpectValues("glTexCoord2f", {corner[0] / 7.0 * 0.7, corner[1] / 7.0 * 0.7});
        cursor.ExpectValues("glVertex3f", {v.x - 250.0, v.y - 50.0, v.z - 10.0 + 140.0});
      }
      cursor.Expect("glEnd()");
      if (HasFatalFailure()) return;
    }
  // The ground quad under the viewer.
  cursor.Expect(Bind(names[6]));
  cursor.Expect("glBegin(mode = GL_QUADS)");
  const double ground[4][5] = {{0, 0, -50, -50, -10}, {1, 0, 50, -50, -10}, {1, 1, 50, 50, -10}, {0, 1, -50, 50, -10}};
  for (const auto &g : ground) {
    cursor.ExpectValues("glTexCoord2f", {g[0], g[1]});
    cursor.ExpectValues("glVertex3f", {g[2], g[3], g[4]});
  }
  cursor.Expect("glEnd()");
  // The vegetation. The first frame drew 600 numbers after the clump table;
  // this one draws its own in the order fern x, fern y, bush x, bush y,
  // grass x, grass y for each clump.
  PlaceClumps();
  for (int n = 0; n < 600; ++n) RandomBelow(4);
  const double t = 0.07f + 0.07f;
  const struct {
    int slot;
    bool swapped;  // x from b and y from a
    double dx, dy, w, h, wave, xDivisor, yDivisor;
  } boards[3] = {{3, false, 0, 0, 1, 10, std::sin(t), 8.1, 6.1},
                 {4, true, 0, 0, 4, 5, 0.5 * std::sin(0.5 * t), 10.1, 10.1},
                 {5, true, 5, -2, 2, 4, 0.5 * std::cos(0.5 * t), 5.1, 5.1}};
  for (int k = 0; k < 100; ++k)
    for (const auto &b : boards) {
      double swayX = (float)(b.wave + RandomBelow(4) / b.xDivisor);
      double swayY = (float)(b.wave + RandomBelow(4) / b.yDivisor);
      double a = clumpOffsetA[k], bb = clumpOffsetB[k];
      double x = (b.swapped ? bb : a) + b.dx - 50, y = (b.swapped ? a : bb) + b.dy - 50, z = -10, w = b.w, h = b.h;
      SCOPED_TRACE("clump " + std::to_string(k) + ", slot " + std::to_string(b.slot));
      cursor.Expect("glDisable(cap = GL_DEPTH_TEST)");
      cursor.Expect("glEnable(cap = GL_BLEND)");
      cursor.Expect("glBlendFunc(sfactor = GL_SRC_ALPHA, dfactor = GL_ONE_MINUS_SRC_ALPHA)");
      cursor.Expect(Bind(names[b.slot]));
      cursor.Expect("glBegin(mode = GL_QUADS)");
      const double corners[8][5] = {{0, 0, x - w, y, z},          {1, 0, x + w, y, z},
                                    {1, 1, x + w, y + swayY, z + h}, {0, 1, x - w, y, z + h},
                                    {0, 0, x, y - w, z},          {1, 0, x, y + w, z},
                                    {1, 1, x, y + w, z + h},      {0, 1, x + swayX, y - w, z + h}};
      for (const auto &c : corners) {
        cursor.ExpectValues("glTexCoord2f", {c[0], c[1]});
        cursor.ExpectValues("glVertex3f", {c[2], c[3], c[4]});
      }
      cursor.Expect("glEnd()");
      cursor.Expect("glDisable(cap = GL_BLEND)");
      cursor.Expect("glEnable(cap = GL_DEPTH_TEST)");
      if (HasFatalFailure()) return;
    }
  // Then only the overlay: no more landscape.
  for (const Call *c = &cursor.Next(); c->name != "(end of frame)"; c = &cursor.Next())
    EXPECT_NE(c->name, "glVertex3f") << "landscape drawn after the vegetation: " << Text(*c);
}
