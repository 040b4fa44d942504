#pragma once

#include "ArranqueBench.h"

#include <QApplication>

// main() of a benchmark that needs a GUI application (fonts, windows) but no
// screen.
inline int CorrerBenchSinPantalla(int argc, char** argv)
{
    if (!EmpezarBench(&argc, argv))
        return 1;
    SinPantalla();
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
