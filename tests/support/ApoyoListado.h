#pragma once

#include "ApoyoPruebas.h"
#include "ImpresoraGrabadora.h"
#include "platform/ListadoImpreso.h"

#include <QWidget>

// What the printed listings' tests share: a ready terminal in Spanish with
// Colombia's regional settings, the recording printer and progress, and the
// test's own PDF file (its name has accents, as a site's folder may).
class ApoyoListado
{
protected:
    std::unique_ptr<CarpetaPrueba> carpeta;
    QWidget ventana;
    QString pdf;
    ImpresoraGrabadora grabadora;
    int hechos = 0;
    int totalProgreso = 0;
    QString textoProgreso;

    Contexto& ctx() { return *carpeta->ctx; }
    DialogosGuion& dialogos() { return carpeta->dialogos; }
    QStringList sucesos() const { return carpeta->textosSucesos(); }
    void usarIdioma(const QString& codigo);

    // The recording printer, and a progress whose guard cancels once that
    // many items are printed (-1: never).
    EquipoListado conGrabadora(int cancelarEn = -1);

    // For init(): reloj, when given, replaces the folder's clock.
    void prepararListado(const QString& nombrePdf, Reloj* reloj = nullptr);
    // For cleanup().
    void terminarListado();
};

// The tests read the PDF back with it.
bool HayPdftotext();
