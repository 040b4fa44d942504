#include "frmSalida.h"

#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

frmSalida::frmSalida(Contexto& ctx, int idEs, QWidget* llamador)
    : QDialog(llamador), campos(ctx, this), ctx_(ctx), idEs_(idEs)
{
    setObjectName(QStringLiteral("frmSalida"));
    setWindowTitle(ctx_.texto(285));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/nueva_entrada.ico")));

    Label8 = new QLabel(ctx_.texto(289), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    txtFechaSalida = new QLineEdit(this);
    txtFechaSalida->setObjectName(QStringLiteral("txtFechaSalida"));
    chkFechaSalida = new QCheckBox(QStringLiteral("Auto"), this);
    chkFechaSalida->setObjectName(QStringLiteral("chkFechaSalida"));
    chkFechaSalida->setChecked(true);
    campos.chkFechaEntrada->setText(QStringLiteral("Auto"));

    btnModificarEntrada =
        new QPushButton(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/modificar.ico")),
                        ctx_.texto(293), this);
    btnModificarEntrada->setObjectName(QStringLiteral("btnModificarEntrada"));
    btnRegistrarSalida = new QPushButton(
        CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/registrar_salida.ico")),
        ctx_.texto(294), this);
    btnRegistrarSalida->setObjectName(QStringLiteral("btnRegistrarSalida"));
    btnRegistrarSalida->setAutoDefault(false);
    btnModificarEntrada->setAutoDefault(false);

    auto* rejilla = new QGridLayout(this);
    const int fila = campos.colocar(rejilla, 0, {286, 287, 288, 290, 291, 292});
    FilaFormulario(rejilla, fila, Label8, txtFechaSalida);
    rejilla->addWidget(chkFechaSalida, fila, 2);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnModificarEntrada);
    botones->addWidget(btnRegistrarSalida);
    rejilla->addLayout(botones, fila + 1, 0, 1, 3);
    rejilla->setColumnMinimumWidth(1, 260);
    setTabOrder(campos.txtObservaciones, txtFechaSalida);
    PonerFondo(this, ctx_.carpetaPrograma(), QStringLiteral("img/fondo9.jpg"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmSalida::alTemporizador);
    connect(btnModificarEntrada, &QPushButton::clicked, this, &frmSalida::modificarEntrada);
    connect(btnRegistrarSalida, &QPushButton::clicked, this, &frmSalida::registrarSalida);
    // Enter leaves the field too: the name is normalised before it is stored.
    connect(campos.txtNombreVisitante, &QLineEdit::returnPressed, this, [this] {
        campos.normalizar();
        registrarSalida();
    });
    for (QLineEdit* campo :
         {campos.txtNombreVisitante, campos.txtAutorizaIngreso, campos.txtPlacaVehiculo})
        connect(campo, &QLineEdit::editingFinished, this, [this] { campos.normalizar(); });
}

void frmSalida::Abrir(Contexto& ctx, QWidget* llamador, int idEs,
                      const std::function<void(bool salidaRegistrada)>& alGuardar)
{
    frmSalida salida(ctx, idEs, llamador);
    connect(&salida, &frmSalida::guardado, llamador, alGuardar);
    if (salida.cargar())
        ctx.dialogos.ejecutarModal(salida);
}

bool frmSalida::cargar()
{
    txtFechaSalida->setText(TextoFechaViva(ctx_.reloj.ahora()));
    std::optional<Visita> visita;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { visita = LeerVisita(bd, idEs_); }))
        return false;
    if (!visita) {
        ctx_.dialogos.informar(this, ctx_.idioma.mensaje(QStringLiteral("XEntradaNoExiste")));
        return false;
    }
    campos.mostrar(*visita);
    alTemporizador();
    Timer1->start();
    campos.txtNombreVisitante->setFocus();
    return true;
}

void frmSalida::alTemporizador()
{
    campos.txtFechaEntrada->setEnabled(!campos.chkFechaEntrada->isChecked());
    txtFechaSalida->setEnabled(!chkFechaSalida->isChecked());
    if (chkFechaSalida->isChecked())
        txtFechaSalida->setText(TextoFechaViva(ctx_.reloj.ahora()));
}

void frmSalida::modificarEntrada()
{
    const Validacion<DatosVisita> v = ValidarCorreccion(campos.textos());
    if (v.fallo)
        return campos.avisar(*v.fallo);
    const DatosVisita& datos = *v.datos;
    guardar([&](BaseDatos& bd) { return ModificarEntrada(bd, idEs_, datos); },
            QStringLiteral("Modifica entrada"), false, 299);
}

void frmSalida::registrarSalida()
{
    const Validacion<Salida> v = ValidarSalida(campos.textos(), txtFechaSalida->text());
    if (v.fallo)
        return campos.avisar(*v.fallo, txtFechaSalida, Label8);
    const DatosVisita& datos = v.datos->visita;
    if (!ctx_.dialogos.confirmar(this, campos.textoConfirmacion(305), ctx_.texto(311),
                                 Dialogos::Icono::Informacion))
        return;
    const QDateTime salida =
        CamposVisita::momentoAlConfirmar(txtFechaSalida, FormatoFecha::Viva, v.datos->momento);
    guardar(
        [&](BaseDatos& bd) {
            return RegistrarSalida(bd, idEs_, datos, salida, ctx_.cfg.EfectuarAviso);
        },
        QStringLiteral("Registra salida"), true, 312);
}

void frmSalida::guardar(const std::function<bool(BaseDatos&)>& sentencia, const QString& suceso,
                        bool salidaRegistrada, int slotMensaje)
{
    bool existe = false;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { existe = sentencia(bd); }))
        return;
    if (!existe) {
        // Deleted or changed at another terminal meanwhile: nothing to store it in.
        ctx_.dialogos.informar(this, ctx_.idioma.mensaje(QStringLiteral("XEntradaNoExiste")));
        return reject();
    }
    ctx_.registrar(suceso);
    Timer1->stop();
    accept();
    emit guardado(salidaRegistrada);
    ctx_.dialogos.informar(parentWidget(), ctx_.texto(slotMensaje));
}
