#include "frmUsuarios.h"

#include "Usuarios.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// What txtClave shows for a chosen user: the stored hash cannot be turned
// back into the password, and the length of a mask tells nothing.
const QString kMascara = QStringLiteral("********");

const QList<int> kAnchosUsuarios = {0, 1870, 0, 1870, 1870, 1870};
const QList<int> kAnchosPermisos = {0, 2500, 6000};
constexpr int kColumnaPermiso = 1;

QTreeView* CrearLista(QWidget* padre, const char* nombre, ModeloTabla* modelo,
                      const QList<int>& anchos)
{
    QTreeView* lista = CrearListaInforme(padre, modelo, anchos);
    lista->setObjectName(QLatin1String(nombre));
    return lista;
}

QStringList Encabezados(const Contexto& ctx, int desde, int hasta)
{
    QStringList encabezados;
    for (int slot = desde; slot <= hasta; ++slot)
        encabezados << ctx.texto(slot);
    return encabezados;
}

} // namespace

frmUsuarios::frmUsuarios(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmUsuarios"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/usuarios.ico")));
    setWindowTitle(ctx_.texto(324));
    crearControles();
    colocarControles();
    PonerFondo(this, ctx_.carpetaPrograma(), QStringLiteral("img/fondo10.jpg"));

    connect(btnListadoCompleto, &QPushButton::clicked, this, &frmUsuarios::listadoCompleto);
    connect(btnAgregarUsuario, &QPushButton::clicked, this, &frmUsuarios::agregarUsuario);
    connect(btnModificarUsuario, &QPushButton::clicked, this, &frmUsuarios::modificarUsuario);
    connect(btnEliminarUsuario, &QPushButton::clicked, this, &frmUsuarios::eliminarUsuario);
    connect(ListView1, &QTreeView::clicked, this, &frmUsuarios::elegirUsuario);
    connect(ListView2, &QTreeView::doubleClicked, this, &frmUsuarios::cambiarPermiso);
    ListView2->installEventFilter(this);
    CerrarConEscape(this);
}

void frmUsuarios::crearControles()
{
    txtUsuario = Campo(this, QStringLiteral("txtUsuario"), 15);
    txtClave = CampoClave(this, QStringLiteral("txtClave"), 15);
    txtNombre = Campo(this, QStringLiteral("txtNombre"), 15);
    txtApe1 = Campo(this, QStringLiteral("txtApe1"), 20);
    txtApe2 = Campo(this, QStringLiteral("txtApe2"), 20);
    btnAgregarUsuario = crearBoton("btnAgregarUsuario", 349, "ico/usuario_agregar.ico");
    btnModificarUsuario = crearBoton("btnModificarUsuario", 350, "ico/usuario_modificar.ico");
    btnEliminarUsuario = crearBoton("btnEliminarUsuario", 351, "ico/usuario_eliminar.ico");
    // The listing runs after every change; nobody starts it by hand.
    btnListadoCompleto = Control<QPushButton>(this, QStringLiteral("btnListadoCompleto"));
    btnListadoCompleto->setText(QStringLiteral("Listado Completo"));
    btnListadoCompleto->hide();

    usuarios_ = new ModeloTabla(this);
    usuarios_->fijarNegritas({1, 2, 3});
    usuarios_->fijarEncabezados(Encabezados(ctx_, 315, 320));
    ListView1 = CrearLista(this, "ListView1", usuarios_, kAnchosUsuarios);
    permisos_ = new ModeloTabla(this);
    permisos_->fijarNegritas({1, 2});
    permisos_->fijarEncabezados(Encabezados(ctx_, 321, 323));
    ListView2 = CrearLista(this, "ListView2", permisos_, kAnchosPermisos);
}

QPushButton* frmUsuarios::crearBoton(const char* nombre, int slot, const char* icono)
{
    auto* boton = Control<QPushButton>(this, QLatin1String(nombre));
    boton->setText(ctx_.texto(slot));
    boton->setIcon(CargarIcono(ctx_.carpetaPrograma(), QLatin1String(icono)));
    return boton;
}

void frmUsuarios::colocarControles()
{
    auto* campos = new QGridLayout;
    const std::pair<const char*, QLineEdit*> filas[] = {
        {"lblUsuario", txtUsuario}, {"lblClave", txtClave}, {"lblNombre", txtNombre},
        {"lblApe1", txtApe1},       {"lblApe2", txtApe2},
    };
    int slot = 344;
    for (const auto& [nombre, campo] : filas) {
        auto* rotulo = Control<QLabel>(this, QLatin1String(nombre));
        rotulo->setText(ctx_.texto(slot));
        FilaFormulario(campos, slot - 344, rotulo, campo);
        ++slot;
    }
    auto* botones = new QVBoxLayout;
    for (QPushButton* boton : {btnAgregarUsuario, btnModificarUsuario, btnEliminarUsuario})
        botones->addWidget(boton);
    botones->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(campos, 1);
    arriba->addLayout(botones);

    auto* capa = new QVBoxLayout(this);
    capa->addLayout(arriba);
    capa->addWidget(ListView1, 1);
    capa->addWidget(ListView2, 1);
    resize(Px(9500), Px(8500));
}

void frmUsuarios::cargar()
{
    idUsuarioSel_ = 1;
    btnListadoCompleto->click();
}

void frmUsuarios::listadoCompleto()
{
    QList<FilaUsuario> usuarios;
    QList<PermisoUsuario> permisos;
    const bool leido = AccionBD(ctx_, this, [&](BaseDatos& bd) {
        usuarios = ListarUsuarios(bd);
        permisos = LeerPermisosUsuario(bd, idUsuarioSel_);
    });
    if (!leido)
        return;
    QList<QStringList> filas;
    QList<int> ids;
    for (const FilaUsuario& u : usuarios) {
        // The password column stays empty: the stored hash is nobody's business.
        filas.append({QString::number(u.id_sr), u.sr, QString(), u.nombre.toString(),
                      u.ape1.toString(), u.ape2.toString()});
        ids.append(u.id_sr);
    }
    if (!usuarios.isEmpty())
        vaciarCampos();
    usuarios_->fijarFilas(std::move(filas), std::move(ids));
    setWindowTitle(ctx_.texto(324) + QStringLiteral(" - ") + QString::number(usuarios.size()) +
                   u' ' + ctx_.texto(325));
    mostrarPermisos(permisos);
    txtUsuario->setFocus();
}

void frmUsuarios::mostrarPermisos(const QList<PermisoUsuario>& permisos)
{
    QList<QStringList> filas;
    QList<int> ids;
    for (const PermisoUsuario& p : permisos) {
        filas.append({QString::number(p.id_permiso),
                      TextoPermisoAutorizado(ctx_.idioma, p.PermisoAutorizado),
                      ctx_.idioma.permiso(p.id_permiso)});
        ids.append(p.id_permiso);
    }
    permisos_->fijarFilas(std::move(filas), std::move(ids));
}

void frmUsuarios::vaciarCampos()
{
    for (QLineEdit* campo : {txtUsuario, txtClave, txtNombre, txtApe1, txtApe2})
        campo->clear();
    idClaveMostrada_ = 0;
}

void frmUsuarios::elegirUsuario(const QModelIndex& indice)
{
    const int fila = indice.row();
    if (fila < 0)
        return;
    idUsuarioSel_ = usuarios_->id(fila);
    txtUsuario->setText(usuarios_->texto(fila, 1));
    txtClave->setText(kMascara);
    txtClave->setModified(false);
    idClaveMostrada_ = idUsuarioSel_;
    txtNombre->setText(usuarios_->texto(fila, 3));
    txtApe1->setText(usuarios_->texto(fila, 4));
    txtApe2->setText(usuarios_->texto(fila, 5));
    QList<PermisoUsuario> permisos;
    // On a failed read no other user's grants may stay under this one's name.
    AccionBD(ctx_, this, [&](BaseDatos& bd) { permisos = LeerPermisosUsuario(bd, idUsuarioSel_); });
    mostrarPermisos(permisos);
    ListView1->setFocus();
}

void frmUsuarios::cambiarPermiso()
{
    const int fila = ListView2->currentIndex().row();
    if (fila < 0)
        return;
    const QString autorizado = ctx_.texto(326);
    const bool lo = permisos_->texto(fila, kColumnaPermiso) == autorizado;
    permisos_->fijarTexto(fila, kColumnaPermiso, lo ? ctx_.texto(327) : autorizado);
}

bool frmUsuarios::avisar(int slot, QLineEdit* campo)
{
    ctx_.dialogos.informar(this, ctx_.texto(slot));
    campo->setFocus();
    return false;
}

bool frmUsuarios::camposCompletos(int slotUsuario, int slotClave, int slotNombre)
{
    if (txtUsuario->text().isEmpty())
        return avisar(slotUsuario, txtUsuario);
    if (txtClave->text().isEmpty())
        return avisar(slotClave, txtClave);
    if (txtNombre->text().isEmpty())
        return avisar(slotNombre, txtNombre);
    return true;
}

DatosUsuario frmUsuarios::datos() const
{
    return {txtUsuario->text(), txtNombre->text(), txtApe1->text(), txtApe2->text()};
}

ClaveUsuario frmUsuarios::clave() const
{
    // Left as the panel filled it: the chosen user's stored password.
    if (!txtClave->isModified() && idClaveMostrada_ != 0)
        return {QString(), idClaveMostrada_};
    return {txtClave->text(), 0};
}

void frmUsuarios::informarRechazo(ResultadoUsuario resultado, const QString& ultimoAdministrador)
{
    switch (resultado) {
    case ResultadoUsuario::Hecho:
        return;
    case ResultadoUsuario::Duplicado:
        avisar(334, txtUsuario);
        return;
    case ResultadoUsuario::UltimoAdministrador:
        ctx_.dialogos.advertir(this, ctx_.idioma.mensaje(ultimoAdministrador));
        return;
    case ResultadoUsuario::NoExiste:
        ctx_.dialogos.advertir(this, ctx_.idioma.mensaje(QStringLiteral("XUsuarioNoExiste")));
        return;
    case ResultadoUsuario::SinMemoria:
        ctx_.dialogos.advertir(this, ctx_.idioma.mensaje(QStringLiteral("XClaveSinMemoria")));
        return;
    }
}

void frmUsuarios::agregarUsuario()
{
    if (!camposCompletos(332, 333, 336))
        return;
    ResultadoUsuario resultado{};
    int idNuevo = 0;
    QStringList sucesos;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            resultado = AgregarUsuario(bd, datos(), clave(), &idNuevo, &sucesos);
        }))
        return;
    if (resultado != ResultadoUsuario::Hecho)
        return informarRechazo(resultado, QString());
    for (const QString& suceso : sucesos)
        ctx_.registrar(suceso);
    listadoCompleto();
    ctx_.dialogos.informar(this, ctx_.texto(335));
    txtUsuario->setFocus();
}

void frmUsuarios::modificarUsuario()
{
    if (idUsuarioSel_ == 0) {
        avisar(337, txtUsuario);
        return;
    }
    if (!camposCompletos(338, 339, 340))
        return;
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(341), ctx_.texto(342),
                                 Dialogos::Icono::Informacion))
        return;
    QList<std::pair<int, bool>> permisos;
    for (int fila = 0; fila < permisos_->rowCount(); ++fila)
        permisos.append(
            {permisos_->id(fila), permisos_->texto(fila, kColumnaPermiso) == ctx_.texto(326)});
    ResultadoUsuario resultado{};
    QStringList sucesos;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            resultado = ModificarUsuario(bd, idUsuarioSel_, datos(), clave(), permisos, &sucesos);
        }))
        return;
    if (resultado != ResultadoUsuario::Hecho)
        return informarRechazo(resultado, QStringLiteral("XUltimoAdministrador"));
    for (const QString& suceso : sucesos)
        ctx_.registrar(suceso);
    idUsuarioSel_ = 0;
    listadoCompleto();
    ctx_.dialogos.informar(this, ctx_.texto(343));
    ListView1->setFocus();
    txtUsuario->setFocus();
}

void frmUsuarios::eliminarUsuario()
{
    if (idUsuarioSel_ == 0) {
        avisar(328, txtUsuario);
        return;
    }
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(329), ctx_.texto(330),
                                 Dialogos::Icono::Informacion, Dialogos::Respuesta::No))
        return;
    ResultadoUsuario resultado{};
    QStringList sucesos;
    if (!AccionBD(ctx_, this,
                  [&](BaseDatos& bd) { resultado = EliminarUsuario(bd, idUsuarioSel_, &sucesos); }))
        return;
    if (resultado != ResultadoUsuario::Hecho)
        return informarRechazo(resultado, QStringLiteral("XUltimoAdministradorEliminar"));
    listadoCompleto();
    for (const QString& suceso : sucesos)
        ctx_.registrar(suceso);
    ctx_.dialogos.informar(this, ctx_.texto(331));
    idUsuarioSel_ = 0;
    txtUsuario->setFocus();
}

bool frmUsuarios::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == ListView2 && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space) {
            cambiarPermiso();
            return true;
        }
    }
    return Panel::eventFilter(objeto, evento);
}

void frmUsuarios::closeEvent(QCloseEvent* evento)
{
    ctx_.registrar(QStringLiteral("Cierra la ventana de Gestión de Usuarios"));
    Panel::closeEvent(evento);
}
