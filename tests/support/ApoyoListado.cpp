#include "ApoyoListado.h"

#include "foundation/Configuracion.h"
#include "foundation/Idiomas.h"

#include <QLocale>
#include <QStandardPaths>
#include <QTest>

void ApoyoListado::usarIdioma(const QString& codigo)
{
    QVERIFY(CargarTablasIdioma(codigo, &ctx().idioma));
}

EquipoListado ApoyoListado::conGrabadora(int cancelarEn)
{
    return {[this](const QString&) { return std::make_unique<ImpresoraPrestada>(grabadora); },
            [this, cancelarEn](QWidget*, const QString& texto, int total) {
                textoProgreso = texto;
                totalProgreso = total;
                return std::make_unique<ProgresoPrueba>(cancelarEn, &hechos);
            }};
}

void ApoyoListado::prepararListado(const QString& nombrePdf, Reloj* reloj)
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Colombia));
    carpeta = std::make_unique<CarpetaPrueba>();
    carpeta->prepararTerminal();
    if (reloj)
        carpeta->ctx = std::make_unique<Contexto>(carpeta->ruta(), *reloj, carpeta->dialogos);
    carpeta->usarConfiguracion(QStringLiteral(";ACCESO NORTE;1;0;1;0;0;;1;;;;0;0;0"));
    usarIdioma(QStringLiteral("es"));
    pdf = carpeta->archivo(nombrePdf);
    grabadora = ImpresoraGrabadora();
    hechos = totalProgreso = 0;
    textoProgreso.clear();
}

void ApoyoListado::terminarListado()
{
    qunsetenv("ZELVORA_PDF");
    QLocale::setDefault(QLocale::c());
    carpeta.reset();
}

bool HayPdftotext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}
