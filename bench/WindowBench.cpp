// One frame of the plangraph and interference windows for growing planning
// graphs, and the layout work behind it; the log window and a command's
// turnaround with a log of a million lines. The frame benchmarks need a
// display (run under xvfb-run); without one they are skipped.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProblemFamilies.h"
#include "command/Execute.h"
#include "command/Report.h"
#include "gui/AppWindow.h"
#include "gui/CommandRunner.h"
#include "gui/Font.h"
#include "gui/GlfwAdapter.h"
#include "gui/GraphLayout.h"
#include "gui/IFWindow.h"
#include "gui/InterferenceLayout.h"
#include "gui/LogWindow.h"
#include "gui/PGWindow.h"
#include "gui/ScrollingWindow.h"
#include "gui/TextLayout.h"
#include "gui/WrappedText.h"
#include "solvers/PlanningGraph.h"

namespace vexmolda::bench {
namespace {

// The deepest level grown; the standard logistics problems are solved by then.
constexpr std::uint32_t deepestLevel = 12;

// Opens the program's window once; false when there is no display.
bool windowReady() {
    static const bool ready = [] {
        // The font file is read from the working directory.
        if (chdir(VEXMOLDA_FONT_DIR) != 0) return false;
        static CommandRunner runner(benchSession());
        initGui(benchSession(), runner);
        return guiWindows().plangraph != nullptr && windowing::windowOpened();
    }();
    return ready;
}

// Text measuring without a window: the glyph table alone.
void ensureFontMetrics() {
    if (fontLoaded()) return;
    std::ifstream in(std::string(VEXMOLDA_FONT_DIR) + "/" + fontFileName, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (const auto file = parseGlf(bytes)) useFontMetrics(file->font);
}

// Problems 4 to 7 are the standard logistics problems of that number; larger
// numbers are generated logistics problems with that many packages. The
// graph grows until it levels off or reaches deepestLevel; no search.
const PlanningGraph& logisticsGraph(int problem) {
    static int loaded = -1;
    Session& session = benchSession();
    if (loaded == problem) return *session.graph;
    if (problem <= 7) {
        loadProblemFile(std::string(VEXMOLDA_SOURCE_DIR) + "/bench/domains/logistics00/probLOGISTICS-" +
                        std::to_string(problem) + "-0.pln");
    } else {
        loadProblemText(logisticsProblem(problem));
    }
    auto graph = std::make_shared<PlanningGraph>();
    graph->buildLevelZero(session.model.initState, session.instances, session.model.facts.size());
    for (std::uint32_t level = 1; level <= deepestLevel && graph->changed; ++level) graph->expand(level);
    // The windows draw the session's graph.
    session.graph = graph;
    loaded = problem;
    return *graph;
}

void countGraph(benchmark::State& state, const PlanningGraph& graph) {
    state.counters["facts"] = static_cast<double>(graph.factNodes.size());
    state.counters["actions"] = static_cast<double>(graph.actionNodes.size());
    state.counters["levels"] = static_cast<double>(factLevelCount(graph));
}

// The view that shows the whole drawing of the given size, or the start view.
ZoomPan viewOf(bool whole, float drawingWidth, float drawingHeight) {
    ZoomPan view;
    if (!whole) return view;
    view.zoom = 100 / std::max({drawingWidth, drawingHeight, 1.0f});
    // Drawing point (0, 0) at the top-left corner of the drawing area.
    view.panX = -50 / view.zoom - 2.65f;
    view.panY = -50 / view.zoom - 0.1f;
    return view;
}

// The width and height of the plangraph drawing.
std::pair<float, float> graphExtent(const PlanningGraph& graph) {
    const GraphLayout layout = layoutGraph(graph, nodeTextWidth);
    float right = layout.factLeft.empty() ? 0 : layout.factLeft.back() + layout.factWidth.back();
    const std::uint32_t levels = actionLevelCount(graph);
    if (levels > 0 && !layout.instances.empty()) {
        right = std::max(right, instanceStart(layout, graph, levels) + layout.instanceOffset.back() +
                                    layout.instanceWidth.back());
    }
    return {right, factRowY(factLevelCount(graph)) + 3};
}

void frame(GraphViewWindow& window) {
    window.shown = true;
    window.animating = false;
    window.slide = 1;
    window.drawSelf();
    glFinish();
}

void plangraphLayout(benchmark::State& state) {
    ensureFontMetrics();
    const PlanningGraph& graph = logisticsGraph(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const GraphLayout layout = layoutGraph(graph, nodeTextWidth);
        benchmark::DoNotOptimize(nodeUnder(layout, graph, {100, 76}));
    }
    countGraph(state, graph);
}

void plangraphFrame(benchmark::State& state) {
    if (!windowReady()) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const PlanningGraph& graph = logisticsGraph(static_cast<int>(state.range(0)));
    auto& window = static_cast<PGWindow&>(*guiWindows().plangraph);
    const auto [width, height] = graphExtent(graph);
    window.view = viewOf(state.range(1) != 0, width, height);
    for (auto _ : state) frame(window);
    countGraph(state, graph);
    state.counters["zoom"] = window.view.zoom;
}

void interferenceFrame(benchmark::State& state) {
    if (!windowReady()) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const PlanningGraph& graph = logisticsGraph(static_cast<int>(state.range(0)));
    auto& window = static_cast<IFWindow&>(*guiWindows().interference);
    float widest = 0;
    for (std::uint32_t action = 0; action < graph.actionNodes.size(); ++action) {
        widest = std::max(widest, textWidth(actionLabel(graph, action), 2));
    }
    const InterferenceTable table = interferenceTable(widest, static_cast<std::uint32_t>(graph.actionNodes.size()));
    window.view = viewOf(state.range(1) != 0, table.right(), table.bottom());
    for (auto _ : state) frame(window);
    countGraph(state, graph);
    state.counters["zoom"] = window.view.zoom;
}

// The log of "solve inselol 2" on gripper problem 1: about a million lines.
void loadBigLog() {
    static bool loaded = false;
    if (loaded) return;
    Session& session = benchSession();
    loadProblemFile(std::string(VEXMOLDA_SOURCE_DIR) + "/bench/domains/gripper/prob01.pln");
    executeLine(session, "solve inselol 2");
    if (session.log.lines.size() < 1000) std::fprintf(stderr, "no big log: %s", session.messages.text().c_str());
    loaded = true;
}

// The log window open on the big log; none (the benchmark skipped) without a display.
LogWindow* openBigLogWindow(benchmark::State& state) {
    if (!windowReady()) {
        state.SkipWithError("no display: run under xvfb-run");
        return nullptr;
    }
    loadBigLog();
    auto& window = static_cast<LogWindow&>(*guiWindows().log);
    window.shown = true;
    window.slide = 1;
    return &window;
}

// What the log window does once per change of the log: the text, wrapped.
void logWindowRewrap(benchmark::State& state) {
    ensureFontMetrics();
    loadBigLog();
    for (auto _ : state) {
        WrappedText wrapped;
        wrapped.assign(logWindowText(benchSession()), currentFont(), 98, 2);
        benchmark::DoNotOptimize(wrapped.rowCount());
    }
    state.counters["lines"] = static_cast<double>(benchSession().log.lines.size());
}

// The whole log wrapped at once (and then drawn down to the window's
// bottom): what a frame costs that wraps all of it, against logWindowRewrap.
void logWholeTextWrap(benchmark::State& state) {
    ensureFontMetrics();
    loadBigLog();
    for (auto _ : state) {
        std::string text = logWindowText(benchSession());
        wrapText(currentFont(), text, 98, 2);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["lines"] = static_cast<double>(benchSession().log.lines.size());
}

// One frame with the log window open at the end of the log.
void logWindowFrame(benchmark::State& state) {
    LogWindow* shown = openBigLogWindow(state);
    if (!shown) return;
    LogWindow& window = *shown;
    window.animating = false;
    window.onScroll(-1e6f);
    for (auto _ : state) {
        window.drawSelf();
        glFinish();
    }
    state.counters["lines"] = static_cast<double>(benchSession().log.lines.size());
}

// A cheap command in the window with the big log: the report as the batch
// program prints it (to /dev/null), then one frame with the log window open.
void windowCommandTurnaround(benchmark::State& state) {
    LogWindow* shown = openBigLogWindow(state);
    if (!shown) return;
    LogWindow& window = *shown;
    // The report goes where the benchmark's own output does not.
    std::fflush(stdout);
    const int console = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    for (auto _ : state) {
        executeLine(benchSession(), "noDups");
        printReport(benchSession(), false);
        if (state.range(0) != 0) {
            window.drawSelf();
            glFinish();
        }
    }
    std::fflush(stdout);
    dup2(console, STDOUT_FILENO);
    close(sink);
    close(console);
    state.counters["lines"] = static_cast<double>(benchSession().log.lines.size());
}

// A task of n operations without parameters, grounded: one instance each.
void loadFlatTask(int operations) {
    static int loaded = -1;
    if (loaded == operations) return;
    std::string text = "pred p\n";
    for (int i = 0; i < operations; ++i) {
        const std::string name = "o" + std::to_string(i);
        text += "op " + name + "\nadd " + name + " p\n";
    }
    loadProblemText(text + "filterReds off\nbuildInst\n");
    loaded = operations;
}

// One frame of a text window (a member of the window set) open at its top on the flat task.
void textWindowFrame(benchmark::State& state, Window* WindowSet::*which) {
    if (!windowReady()) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    loadFlatTask(static_cast<int>(state.range(0)));
    auto& window = static_cast<ScrollingWindow&>(*(guiWindows().*which));
    window.shown = true;
    window.animating = false;
    window.slide = 1;
    window.scroll = 0;
    // The frames between two changes of the task; the first after a change is not timed.
    window.drawSelf();
    for (auto _ : state) {
        window.drawSelf();
        glFinish();
    }
    state.counters["instances"] = static_cast<double>(benchSession().instances.size());
}

void domainWindowFrame(benchmark::State& state) { textWindowFrame(state, &WindowSet::domain); }

void instancesWindowFrame(benchmark::State& state) { textWindowFrame(state, &WindowSet::instances); }

// 10,000 and 40,000 operations without parameters.
BENCHMARK(domainWindowFrame)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(instancesWindowFrame)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

BENCHMARK(logWholeTextWrap)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(logWindowRewrap)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(logWindowFrame)->Unit(benchmark::kMillisecond);
// 0: the report alone, as vexmolda-batch prints it; 1: with the window's frame.
BENCHMARK(windowCommandTurnaround)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(4);

// Standard problems 4 and 7, then 16 and 48 generated packages; the second
// argument: 0 the start view, 1 the whole drawing.
const std::vector<std::int64_t> problems{4, 7, 16, 48};
BENCHMARK(plangraphLayout)->ArgsProduct({problems})->Unit(benchmark::kMillisecond);
BENCHMARK(plangraphFrame)->ArgsProduct({problems, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(interferenceFrame)->ArgsProduct({problems, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexmolda::bench
