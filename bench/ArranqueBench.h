#pragma once

#include "platform/Dialogos.h"

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

// For the printing benchmarks: fonts and the progress box need a GUI
// application, but no screen.
inline void SinPantalla()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The guard answers Yes to every question and chooses no file.
class DialogosSi : public Dialogos
{
public:
    Respuesta mostrar(QWidget*, const Mensaje&) override { return Respuesta::Si; }
    int ejecutarModal(QDialog&) override { return 0; }
    QString elegirArchivoGuardar(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
};
