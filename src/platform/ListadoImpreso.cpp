#include "ListadoImpreso.h"

#include "foundation/Contexto.h"
#include "foundation/FechasTexto.h"
#include "platform/Dialogos.h"
#include "platform/ImpresoraSistema.h"
#include "platform/Progreso.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kCrLf2 = QStringLiteral("\r\n\r\n");

} // namespace

EquipoListado EquipoListadoSistema()
{
    return {AbrirImpresora, AbrirProgresoQt};
}

bool ConfirmarListado(Contexto& ctx, QWidget* ventana, int primerSlot, int slotTitulo)
{
    return ctx.dialogos.confirmar(ventana,
                                  ctx.texto(primerSlot) + kCrLf2 + ctx.texto(primerSlot + 1) +
                                      kCrLf2 + ctx.texto(primerSlot + 2),
                                  ctx.texto(slotTitulo));
}

QString PdfSinImpresora(const Contexto& ctx, const QString& nombre, const QDateTime& momento)
{
    return ctx.carpetaPrograma() + QStringLiteral("/listados") + u'/' + nombre + u' ' +
           TextoFechaArchivoListado(momento) + QStringLiteral(".pdf");
}

void AvisarFalloListado(Contexto& ctx, QWidget* ventana, const Impresora& impresora,
                        const QString& texto, const QString& suceso)
{
    QString aviso = texto;
    if (!impresora.archivoPdf().isEmpty())
        aviso += kCrLf2 + ctx.idioma.mensaje(QStringLiteral("XListadoPdfNoEscrito")) + kCrLf +
                 impresora.archivoPdf();
    ctx.dialogos.advertir(ventana, aviso);
    ctx.registrar(suceso);
    if (impresora.fallo())
        ctx.registrar(QStringLiteral("Error de impresión: ") + impresora.error());
}

void AvisarListadoGuardado(Contexto& ctx, QWidget* ventana, const Impresora& impresora)
{
    if (impresora.archivoPdf().isEmpty())
        return;
    ctx.registrar(QStringLiteral("Listado guardado en el archivo ") + impresora.archivoPdf());
    ctx.dialogos.informar(ventana, ctx.idioma.mensaje(QStringLiteral("XListadoPdf")) + kCrLf +
                                       impresora.archivoPdf());
}
