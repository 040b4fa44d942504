#include "frmCambiar.h"

#include "CambioClave.h"
#include "foundation/BaseDatos.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLargoClave = 20;

} // namespace

frmCambiar::frmCambiar(Contexto& ctx, QWidget* llamador) : QDialog(llamador), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmCambiar"));
    setWindowTitle(ctx_.texto(354));
    const QIcon icono = CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/cambiar.ico"));
    setWindowIcon(icono);
    PonerFondo(this, ctx_.carpetaPrograma(), QStringLiteral("img/fondo5.jpg"));

    txtActual = CampoClave(this, QStringLiteral("txtActual"), kLargoClave);
    txtNueva = CampoClave(this, QStringLiteral("txtNueva"), kLargoClave);
    txtConfirme = CampoClave(this, QStringLiteral("txtConfirme"), kLargoClave);
    btnCambiar = Control<QPushButton>(this, QStringLiteral("btnCambiar"));
    btnCambiar->setIcon(icono);
    btnCambiar->setText(ctx_.texto(22));
    btnCambiar->setAutoDefault(false);

    auto* rejilla = new QGridLayout(this);
    const std::pair<QLineEdit*, int> filas[] = {{txtActual, 53}, {txtNueva, 54}, {txtConfirme, 55}};
    int fila = 0;
    for (const auto& [campo, slot] : filas) {
        FilaFormulario(rejilla, fila, new QLabel(ctx_.texto(slot), this), campo);
        ++fila;
    }
    rejilla->addWidget(btnCambiar, fila, 1);
    connect(btnCambiar, &QPushButton::clicked, this, &frmCambiar::cambiarClave);
}

void frmCambiar::Abrir(Contexto& ctx, QWidget* llamador)
{
    frmCambiar ventana(ctx, llamador);
    ctx.dialogos.ejecutarModal(ventana);
}

void frmCambiar::cambiarClave()
{
    if (const int slot =
            RevisarCambioClave(txtActual->text(), txtNueva->text(), txtConfirme->text()))
        return ctx_.dialogos.informar(this, ctx_.texto(slot));
    bool cambiada = false;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            cambiada =
                CambiarClave(bd, ctx_.usuario.UsuarioSr, txtActual->text(), txtNueva->text());
        }))
        return;
    if (!cambiada) {
        ctx_.dialogos.informar(this, ctx_.texto(60));
        return ctx_.registrar(
            QStringLiteral("Intenta cambiar la clave pero no lo hace correctamente"));
    }
    accept();
    ctx_.dialogos.informar(parentWidget(),
                           ctx_.texto(58) + QStringLiteral("\r\n") + ctx_.texto(59));
    ctx_.registrar(QStringLiteral("Cambia la clave"));
}

bool frmCambiar::event(QEvent* evento)
{
    if (evento->type() == QEvent::WindowActivate)
        txtActual->setFocus();
    return QDialog::event(evento);
}
