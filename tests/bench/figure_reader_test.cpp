#include "figure_lines.h"
#include "printed_figure.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(FigureReader, ReadsTheFiguresAmongTheGamesOwnLines)
{
    FigureReader figures(
        "korvel: warning: no audio device\n" +
        printedFigure(figureName(Figure::Renderer), "llvmpipe (LLVM 15, 256 bits)") +
        printedFigure(figureName(Figure::FrameMs), "16.5") +
        printedFigure(figureName(Figure::FrameMs), "17") +
        printedFigure(phaseFigureName(Statistic::Mean, 0), "0.25"));
    EXPECT_EQ(figures.text(Figure::Renderer), "llvmpipe (LLVM 15, 256 bits)");
    EXPECT_EQ(figures.numbers(Figure::FrameMs), (std::vector<double>{16.5, 17.0}));
    EXPECT_DOUBLE_EQ(figures.number(phaseFigureName(Statistic::Mean, 0)), 0.25);
    EXPECT_TRUE(figures.problems().empty());
}

TEST(FigureReader, NamesEveryFigureThatIsMissingOrNoNumber)
{
    FigureReader figures(printedFigure(figureName(Figure::Width), "wide") +
                         printedFigure(figureName(Figure::Height), "800"));
    EXPECT_DOUBLE_EQ(figures.number(Figure::Height), 800.0);
    EXPECT_TRUE(figures.problems().empty());
    figures.number(Figure::Width);
    figures.text(Figure::Outcome);
    figures.numbers(Figure::FrameMs);
    EXPECT_EQ(figures.problems(), (std::vector<std::string>{"has width 'wide', not a number",
                                                            "lacks outcome", "lacks frame_ms"}));
}

TEST(FigureReader, ReadsWhatTheChildsWriterPrints)
{
    testing::internal::CaptureStdout();
    writeFigure(Figure::CeilingFps, 659.625);
    writeFigure(gpuFigureName(Statistic::Median, 1), 0.001);
    writeFigure(Figure::Outcome, "won");
    std::fflush(stdout);
    FigureReader figures(testing::internal::GetCapturedStdout());
    EXPECT_DOUBLE_EQ(figures.number(Figure::CeilingFps), 659.625);
    EXPECT_DOUBLE_EQ(figures.number(gpuFigureName(Statistic::Median, 1)), 0.001);
    EXPECT_EQ(figures.text(Figure::Outcome), "won");
    EXPECT_TRUE(figures.problems().empty());
}
