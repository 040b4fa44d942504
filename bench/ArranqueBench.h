#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

// What every benchmark program does before its application object: read
// Google Benchmark's flags (false on an unknown one), and have the time zone
// file read once, as the program does, not at every date conversion.
inline bool EmpezarBench(int* argc, char** argv)
{
    benchmark::Initialize(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(*argc, argv))
        return false;
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    return true;
}
