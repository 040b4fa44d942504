#include "CamposVisita.h"

#include "foundation/Contexto.h"
#include "foundation/Normalizar.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLabel* Etiqueta(QWidget* ventana, const char* nombre)
{
    auto* etiqueta = new QLabel(ventana);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    return etiqueta;
}

void Reescribir(QLineEdit* campo, QString (*regla)(const QString&))
{
    const QString nuevo = regla(campo->text());
    if (nuevo != campo->text())
        campo->setText(nuevo);
}

} // namespace

CamposVisita::CamposVisita(Contexto& ctx, QWidget* ventana) : ctx_(ctx), ventana_(ventana)
{
    Label1 = Etiqueta(ventana, "Label1");
    Label3 = Etiqueta(ventana, "Label3");
    Label4 = Etiqueta(ventana, "Label4");
    Label6 = Etiqueta(ventana, "Label6");
    Label5 = Etiqueta(ventana, "Label5");
    Label7 = Etiqueta(ventana, "Label7");
    txtFechaEntrada = Campo(ventana, "txtFechaEntrada", 0);
    txtNombreVisitante = Campo(ventana, "txtNombreVisitante", 60);
    txtNAcomp = Campo(ventana, "txtNAcomp", 2);
    txtPlacaVehiculo = Campo(ventana, "txtPlacaVehiculo", 10);
    txtAutorizaIngreso = Campo(ventana, "txtAutorizaIngreso", 60);
    txtObservaciones = Campo(ventana, "txtObservaciones", 100);
    chkFechaEntrada = new QCheckBox(ventana);
    chkFechaEntrada->setObjectName(QStringLiteral("chkFechaEntrada"));
    chkFechaEntrada->setChecked(true);
    // Beside the entry time, captioned "Auto" or not at all.
    chkFechaEntrada->setAccessibleName(QStringLiteral("Auto"));
}

int CamposVisita::colocar(QGridLayout* rejilla, int fila, const SlotsEtiquetas& numeros)
{
    const std::array<std::pair<QLabel*, QLineEdit*>, 6> filas = {{{Label1, txtFechaEntrada},
                                                                  {Label3, txtNombreVisitante},
                                                                  {Label4, txtNAcomp},
                                                                  {Label6, txtPlacaVehiculo},
                                                                  {Label5, txtAutorizaIngreso},
                                                                  {Label7, txtObservaciones}}};
    for (size_t i = 0; i < filas.size(); ++i) {
        filas[i].first->setText(ctx_.texto(numeros[i]));
        FilaFormulario(rejilla, fila, filas[i].first, filas[i].second);
        if (i == 0)
            rejilla->addWidget(chkFechaEntrada, fila, 2);
        ++fila;
    }
    return fila;
}

void CamposVisita::normalizar()
{
    Reescribir(txtNombreVisitante, NombrePropio);
    Reescribir(txtPlacaVehiculo, Mayusculas);
    Reescribir(txtAutorizaIngreso, NombrePropio);
}

void CamposVisita::avisar(const FalloVisita& fallo, QLineEdit* propio, const QLabel* etiquetaPropia)
{
    const bool esPropio =
        fallo.campo == CampoVisita::FechaSalida || fallo.campo == CampoVisita::Aviso;
    QLineEdit* campo = esPropio ? propio : nullptr;
    const QLabel* etiqueta = esPropio ? etiquetaPropia : Label1;
    switch (fallo.campo) {
    case CampoVisita::Nombre:
        campo = txtNombreVisitante;
        break;
    case CampoVisita::FechaEntrada:
        campo = txtFechaEntrada;
        break;
    case CampoVisita::Acompanantes:
        campo = txtNAcomp;
        break;
    case CampoVisita::Autoriza:
        campo = txtAutorizaIngreso;
        break;
    case CampoVisita::FechaSalida:
    case CampoVisita::Aviso:
        break;
    }
    QString texto =
        fallo.clave.isEmpty() ? ctx_.texto(fallo.slot) : ctx_.idioma.mensaje(fallo.clave);
    if (fallo.clave == u"XFechaInvalida")
        texto = texto.arg(etiqueta ? etiqueta->text() : QString(),
                          EjemploFecha(fallo.formato, ctx_.reloj.ahora()));
    ctx_.dialogos.informar(ventana_, texto);
    if (campo)
        campo->setFocus();
}

QDateTime CamposVisita::momentoAlConfirmar(const QLineEdit* campo, FormatoFecha formato,
                                           const QDateTime& validado)
{
    const QDateTime ahora = LeerFechaMostrada(campo->text(), formato);
    return ahora.isValid() ? ahora : validado;
}

TextosVisita CamposVisita::textos() const
{
    return {txtFechaEntrada->text(),  txtNombreVisitante->text(), txtNAcomp->text(),
            txtPlacaVehiculo->text(), txtAutorizaIngreso->text(), txtObservaciones->text()};
}

QString CamposVisita::textoConfirmacion(int slotPregunta) const
{
    const QString salto = QStringLiteral("\r\n");
    return ctx_.texto(slotPregunta) + salto + salto + ctx_.texto(slotPregunta + 1) +
           txtNombreVisitante->text() + salto + ctx_.texto(slotPregunta + 2) +
           txtAutorizaIngreso->text() + salto + ctx_.texto(slotPregunta + 3) + txtNAcomp->text() +
           salto + ctx_.texto(slotPregunta + 4) + txtPlacaVehiculo->text() + salto +
           ctx_.texto(slotPregunta + 5) + txtObservaciones->text();
}

void CamposVisita::mostrar(const Visita& visita)
{
    txtFechaEntrada->setText(TextoFechaLista(visita.datos.FechaEntrada));
    txtNombreVisitante->setText(visita.datos.NombreVisitante);
    txtNAcomp->setText(visita.textoNAcomp);
    txtAutorizaIngreso->setText(visita.datos.AutorizaIngreso);
    txtPlacaVehiculo->setText(visita.datos.PlacaVehiculo);
    txtObservaciones->setText(visita.datos.Observaciones);
}

void CamposVisita::vaciar(bool tambienFecha)
{
    if (tambienFecha)
        txtFechaEntrada->clear();
    for (QLineEdit* campo :
         {txtNombreVisitante, txtNAcomp, txtAutorizaIngreso, txtPlacaVehiculo, txtObservaciones})
        campo->clear();
}
