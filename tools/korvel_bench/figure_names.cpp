#include "figure_names.h"

#include "game/frame_phases.h"

std::string figureName(Figure figure)
{
    return figureNames.at(static_cast<std::size_t>(figure));
}

std::string phaseFigureName(Statistic statistic, std::size_t phase)
{
    return (statistic == Statistic::Median ? "phase_median_ms." : "phase_mean_ms.") +
           std::string(framePhaseNames.at(phase));
}

std::string gpuFigureName(Statistic statistic, std::size_t pass)
{
    return (statistic == Statistic::Median ? "gpu_median_ms." : "gpu_mean_ms.") +
           std::string(drawPassNames.at(pass));
}
