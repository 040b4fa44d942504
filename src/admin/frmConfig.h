#pragma once

#include "platform/Paneles.h"

class Contexto;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct Configuracion;

enum class CampoTexto;

// This terminal's zelvora.cfg in fifteen fields: shown as the file holds it
// when the panel opens, written back to the file and put in use on request.
class frmConfig : public Panel
{
    Q_OBJECT

public:
    explicit frmConfig(Contexto& ctx, QWidget* padre = nullptr);

    // The load: the file read again and its values shown.
    void cargar();
    void alAbrir() override { cargar(); }
    void modificarConfig();

    QLineEdit* txtRutaBD;
    QLineEdit* txtPunto;
    QCheckBox* chkEfectuarRespaldo;
    QCheckBox* chkEfectuarMarcadoAuto;
    QCheckBox* chkEfectuarRegistroDeSucesos;
    QCheckBox* chkEfectuarAviso;
    QCheckBox* chkAvisoDefecto;
    QLineEdit* txtTiempoAvisoDefecto;
    QCheckBox* chkVerificarSizeBD;
    QLineEdit* txtRangoMinSizeBD;
    QLineEdit* txtRangoMaxSizeBD;
    QLineEdit* txtMaxSizeBD;
    QCheckBox* chkVisitasProgramadas;
    QCheckBox* chkTomarF;
    QCheckBox* chkDuplicarEntrada;

    QLabel* lblRutaBD;
    QLabel* lblPunto;
    QLabel* lblEfectuarRespaldo;
    QLabel* lblEfectuarMarcadoAuto;
    QLabel* lblEfectuarRegistroDeSucesos;
    QLabel* lblEfectuarAviso;
    QLabel* lblAvisoDefecto;
    QLabel* lblTiempoAvisoDefecto;
    QLabel* lblVerificarSizeBD;
    QLabel* lblRangoMinSizeBD;
    QLabel* lblRangoMaxSizeBD;
    QLabel* lblMaxSizeBD;
    QLabel* lblVisitasProgramadas;
    QLabel* lblTomarF;
    QLabel* lblDuplicarEntrada;

    QPushButton* btnModificarConfig;

private:
    QLineEdit* texto(QGridLayout* rejilla, const char* nombre, const char* rotulo, int slot,
                     QLabel*& etiqueta);
    QCheckBox* casilla(QGridLayout* rejilla, const char* nombre, const char* rotulo, int slot,
                       QLabel*& etiqueta);
    void mostrar(const Configuracion& cfg);
    Configuracion leerCampos() const;
    QLineEdit* campoTexto(CampoTexto campo) const;

    Contexto& ctx_;
};
