#include "frmConfig.h"

#include "ModificarConfiguracion.h"
#include "foundation/Contexto.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitulo = 376;

Qt::CheckState Estado(bool valor)
{
    return valor ? Qt::Checked : Qt::Unchecked;
}

// Only a ticked box is true; a greyed one is not.
bool Marcada(const QCheckBox* casilla)
{
    return casilla->checkState() == Qt::Checked;
}

} // namespace

frmConfig::frmConfig(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/modificar.ico")));
    setWindowTitle(ctx_.texto(358));
    PonerFondo(this, ctx_.carpetaPrograma(), QStringLiteral("img/fondo10.jpg"));

    auto* rejilla = new QGridLayout;
    txtRutaBD = texto(rejilla, "txtRutaBD", "lblRutaBD", 359, lblRutaBD);
    txtPunto = texto(rejilla, "txtPunto", "lblPunto", 360, lblPunto);
    chkEfectuarRespaldo =
        casilla(rejilla, "chkEfectuarRespaldo", "lblEfectuarRespaldo", 361, lblEfectuarRespaldo);
    chkEfectuarMarcadoAuto = casilla(rejilla, "chkEfectuarMarcadoAuto", "lblEfectuarMarcadoAuto",
                                     362, lblEfectuarMarcadoAuto);
    chkEfectuarRegistroDeSucesos =
        casilla(rejilla, "chkEfectuarRegistroDeSucesos", "lblEfectuarRegistroDeSucesos", 363,
                lblEfectuarRegistroDeSucesos);
    chkEfectuarAviso =
        casilla(rejilla, "chkEfectuarAviso", "lblEfectuarAviso", 364, lblEfectuarAviso);
    chkAvisoDefecto = casilla(rejilla, "chkAvisoDefecto", "lblAvisoDefecto", 365, lblAvisoDefecto);
    txtTiempoAvisoDefecto = texto(rejilla, "txtTiempoAvisoDefecto", "lblTiempoAvisoDefecto", 366,
                                  lblTiempoAvisoDefecto);
    chkVerificarSizeBD =
        casilla(rejilla, "chkVerificarSizeBD", "lblVerificarSizeBD", 367, lblVerificarSizeBD);
    txtRangoMinSizeBD =
        texto(rejilla, "txtRangoMinSizeBD", "lblRangoMinSizeBD", 368, lblRangoMinSizeBD);
    txtRangoMaxSizeBD =
        texto(rejilla, "txtRangoMaxSizeBD", "lblRangoMaxSizeBD", 369, lblRangoMaxSizeBD);
    txtMaxSizeBD = texto(rejilla, "txtMaxSizeBD", "lblMaxSizeBD", 370, lblMaxSizeBD);
    chkVisitasProgramadas = casilla(rejilla, "chkVisitasProgramadas", "lblVisitasProgramadas", 371,
                                    lblVisitasProgramadas);
    chkTomarF = casilla(rejilla, "chkTomarF", "lblTomarF", 372, lblTomarF);
    chkDuplicarEntrada =
        casilla(rejilla, "chkDuplicarEntrada", "lblDuplicarEntrada", 373, lblDuplicarEntrada);

    btnModificarConfig =
        new QPushButton(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/guardar.ico")),
                        ctx_.texto(374), this);
    btnModificarConfig->setObjectName(QStringLiteral("btnModificarConfig"));
    connect(btnModificarConfig, &QPushButton::clicked, this, &frmConfig::modificarConfig);

    auto* capa = new QVBoxLayout(this);
    capa->addLayout(rejilla);
    capa->addStretch();
    capa->addWidget(btnModificarConfig, 0, Qt::AlignHCenter);
    resize(Px(7500), Px(9000));
    CerrarConEscape(this);
}

QLineEdit* frmConfig::texto(QGridLayout* rejilla, const char* nombre, const char* rotulo, int slot,
                            QLabel*& etiqueta)
{
    // No length limit: a path or a name may be as long as the site needs.
    QLineEdit* campo = Campo(this, QLatin1String(nombre), 0);
    etiqueta = Control<QLabel>(this, QLatin1String(rotulo));
    etiqueta->setText(ctx_.texto(slot));
    FilaFormulario(rejilla, rejilla->rowCount(), etiqueta, campo);
    return campo;
}

QCheckBox* frmConfig::casilla(QGridLayout* rejilla, const char* nombre, const char* rotulo,
                              int slot, QLabel*& etiqueta)
{
    auto* campo = Control<QCheckBox>(this, QLatin1String(nombre));
    // As wide as its box: a click beside it does not tick it.
    campo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    etiqueta = Control<QLabel>(this, QLatin1String(rotulo));
    etiqueta->setText(ctx_.texto(slot));
    FilaFormulario(rejilla, rejilla->rowCount(), etiqueta, campo);
    return campo;
}

void frmConfig::cargar()
{
    // A panel never ends the program: other panels may hold a guard's unsaved
    // input. A file that cannot be used is told as at start-up, and the panel
    // shows the values the program runs with, so that a save writes it anew.
    const Configuracion enUso = ctx_.cfg;
    switch (ctx_.LeerConfiguracion()) {
    case LecturaConfiguracion::Correcta:
        break;
    case LecturaConfiguracion::NoExiste:
        ctx_.cfg = enUso;
        ctx_.dialogos.advertir(this, ctx_.texto(4), ctx_.texto(5));
        break;
    case LecturaConfiguracion::SinPuntoControl:
        ctx_.cfg = enUso;
        ctx_.dialogos.advertir(this, ctx_.texto(6), ctx_.texto(5));
        break;
    }
    mostrar(ctx_.cfg);
}

void frmConfig::mostrar(const Configuracion& cfg)
{
    txtRutaBD->setText(cfg.RutaBD);
    txtPunto->setText(cfg.PuntoControl);
    chkEfectuarRespaldo->setCheckState(Estado(cfg.EfectuarRespaldo));
    chkEfectuarMarcadoAuto->setCheckState(Estado(cfg.EfectuarMarcadoAuto));
    chkEfectuarRegistroDeSucesos->setCheckState(Estado(cfg.EfectuarRegistroDeSucesos));
    chkEfectuarAviso->setCheckState(Estado(cfg.EfectuarAviso));
    chkAvisoDefecto->setCheckState(Estado(cfg.AvisoDefecto));
    txtTiempoAvisoDefecto->setText(cfg.TiempoAvisoDefecto);
    chkVerificarSizeBD->setCheckState(Estado(cfg.VerificarSizeBD));
    txtRangoMinSizeBD->setText(cfg.RangoMinSizeBD);
    txtRangoMaxSizeBD->setText(cfg.RangoMaxSizeBD);
    txtMaxSizeBD->setText(cfg.MaxSizeBD);
    chkVisitasProgramadas->setCheckState(Estado(cfg.VisitasProgramadas));
    chkTomarF->setCheckState(Estado(cfg.TomarFotografia));
    chkDuplicarEntrada->setCheckState(Estado(cfg.DuplicarEntrada));
}

Configuracion frmConfig::leerCampos() const
{
    Configuracion cfg;
    cfg.RutaBD = txtRutaBD->text();
    cfg.PuntoControl = txtPunto->text();
    cfg.EfectuarRespaldo = Marcada(chkEfectuarRespaldo);
    cfg.EfectuarMarcadoAuto = Marcada(chkEfectuarMarcadoAuto);
    cfg.EfectuarRegistroDeSucesos = Marcada(chkEfectuarRegistroDeSucesos);
    cfg.EfectuarAviso = Marcada(chkEfectuarAviso);
    cfg.AvisoDefecto = Marcada(chkAvisoDefecto);
    cfg.TiempoAvisoDefecto = txtTiempoAvisoDefecto->text();
    cfg.VerificarSizeBD = Marcada(chkVerificarSizeBD);
    cfg.RangoMinSizeBD = txtRangoMinSizeBD->text();
    cfg.RangoMaxSizeBD = txtRangoMaxSizeBD->text();
    cfg.MaxSizeBD = txtMaxSizeBD->text();
    cfg.VisitasProgramadas = Marcada(chkVisitasProgramadas);
    cfg.TomarFotografia = Marcada(chkTomarF);
    cfg.DuplicarEntrada = Marcada(chkDuplicarEntrada);
    return cfg;
}

QLineEdit* frmConfig::campoTexto(CampoTexto campo) const
{
    switch (campo) {
    case CampoTexto::RutaBD:
        return txtRutaBD;
    case CampoTexto::PuntoControl:
        return txtPunto;
    case CampoTexto::TiempoAvisoDefecto:
        return txtTiempoAvisoDefecto;
    case CampoTexto::RangoMinSizeBD:
        return txtRangoMinSizeBD;
    case CampoTexto::RangoMaxSizeBD:
        return txtRangoMaxSizeBD;
    case CampoTexto::MaxSizeBD:
        break;
    }
    return txtMaxSizeBD;
}

void frmConfig::modificarConfig()
{
    const Configuracion nueva = leerCampos();
    // Refused before the question: the guard is not asked to confirm what
    // cannot be written.
    if (const std::optional<CampoRechazado> rechazo = RevisarCamposTexto(nueva, ctx_.idioma)) {
        ctx_.dialogos.advertir(this, rechazo->motivo, ctx_.texto(kTitulo));
        campoTexto(rechazo->campo)->setFocus();
        return;
    }
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(375), ctx_.texto(kTitulo),
                                 Dialogos::Icono::Exclamacion, Dialogos::Respuesta::No))
        return;
    QString error;
    if (!ModificarConfiguracion(ctx_, nueva, &error)) {
        ctx_.dialogos.advertir(this,
                               ctx_.idioma.mensaje(QStringLiteral("XConfigNoGuardada")) +
                                   QStringLiteral("\r\n\r\n") + error,
                               ctx_.texto(kTitulo));
        return;
    }
    ctx_.dialogos.informar(this, ctx_.texto(377), ctx_.texto(kTitulo));
}
