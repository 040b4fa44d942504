#include "Configuracion.h"

#include "ArchivosTexto.h"
#include "Idiomas.h"

#include <QStringList>

namespace {

constexpr int kCampos = 15;

void AsignarVerdad(bool& campo, QChar c)
{
    // Only a digit converts; anything else leaves the field as it was.
    if (c >= u'0' && c <= u'9')
        campo = c != u'0';
}

void AsignarCaracter(Configuracion& cfg, int campo, QChar c)
{
    switch (campo) {
    case 1:
        cfg.RutaBD.append(c);
        break;
    case 2:
        cfg.PuntoControl.append(c);
        break;
    case 3:
        AsignarVerdad(cfg.EfectuarRespaldo, c);
        break;
    case 4:
        AsignarVerdad(cfg.EfectuarMarcadoAuto, c);
        break;
    case 5:
        AsignarVerdad(cfg.EfectuarRegistroDeSucesos, c);
        break;
    case 6:
        AsignarVerdad(cfg.EfectuarAviso, c);
        break;
    case 7:
        AsignarVerdad(cfg.AvisoDefecto, c);
        break;
    case 8:
        cfg.TiempoAvisoDefecto.append(c);
        break;
    case 9:
        AsignarVerdad(cfg.VerificarSizeBD, c);
        break;
    case 10:
        cfg.RangoMinSizeBD.append(c);
        break;
    case 11:
        cfg.RangoMaxSizeBD.append(c);
        break;
    case 12:
        cfg.MaxSizeBD.append(c);
        break;
    case 13:
        AsignarVerdad(cfg.VisitasProgramadas, c);
        break;
    case 14:
        AsignarVerdad(cfg.TomarFotografia, c);
        break;
    case 15:
        AsignarVerdad(cfg.DuplicarEntrada, c);
        break;
    default:
        break;
    }
}

// The longest derived name is a backup's: "zelvora dd-MM-yyyy HH-mm-ss-" + name
// + ".db.parcial-journal", which must stay within the 255 bytes of a file name.
constexpr qsizetype kMaxBytesPunto = 200;

bool CaracterProhibido(QChar c)
{
    return c == u'/' || c == u'\\' || c == u';' || c == u',' ||
           c.category() == QChar::Other_Control;
}

QString Describir(QChar c)
{
    if (c.category() == QChar::Other_Control)
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    return QStringLiteral("\"%1\"").arg(c);
}

QString Estado(bool valor)
{
    return valor ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

Configuracion Configuracion::PorDefecto()
{
    Configuracion cfg;
    cfg.EfectuarRespaldo = true;
    cfg.EfectuarRegistroDeSucesos = true;
    cfg.VerificarSizeBD = true;
    return cfg;
}

Configuracion InterpretarLineaConfiguracion(const QString& linea)
{
    Configuracion cfg = Configuracion::PorDefecto();
    int campo = 1;
    for (QChar c : linea) {
        if (c == u';') {
            if (++campo > kCampos)
                break;
            continue;
        }
        AsignarCaracter(cfg, campo, c);
    }
    return cfg;
}

QString LineaConfiguracion(const Configuracion& cfg)
{
    const QStringList campos = {cfg.RutaBD,
                                cfg.PuntoControl,
                                Estado(cfg.EfectuarRespaldo),
                                Estado(cfg.EfectuarMarcadoAuto),
                                Estado(cfg.EfectuarRegistroDeSucesos),
                                Estado(cfg.EfectuarAviso),
                                Estado(cfg.AvisoDefecto),
                                cfg.TiempoAvisoDefecto,
                                Estado(cfg.VerificarSizeBD),
                                cfg.RangoMinSizeBD,
                                cfg.RangoMaxSizeBD,
                                cfg.MaxSizeBD,
                                Estado(cfg.VisitasProgramadas),
                                Estado(cfg.TomarFotografia),
                                Estado(cfg.DuplicarEntrada)};
    return campos.join(u';');
}

QString LeerLineaConfiguracion(const QString& carpetaPrograma)
{
    QByteArray contenido;
    if (!LeerArchivo(carpetaPrograma + u'/' + kArchivoConfiguracion, &contenido))
        return QString();
    return PrimerCampo(DecodificarTexto(contenido));
}

bool EsUriPostgres(const QString& rutaBD)
{
    return rutaBD.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           rutaBD.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString CarpetaDatos(const Configuracion& cfg, const QString& carpetaPrograma)
{
    return cfg.RutaBD.isEmpty() || EsUriPostgres(cfg.RutaBD) ? carpetaPrograma : cfg.RutaBD;
}

QString RutaBaseDatos(const Configuracion& cfg, const QString& carpetaPrograma)
{
    if (EsUriPostgres(cfg.RutaBD))
        return cfg.RutaBD;
    // Joined as configured: a trailing separator gives a doubled one, which Linux accepts.
    return CarpetaDatos(cfg, carpetaPrograma) + QStringLiteral("/zelvora.db");
}

bool PuntoControlValido(const QString& punto, const TablasIdioma& idioma, QString* motivo)
{
    QString clave;
    QString detalle;
    if (punto.isEmpty()) {
        clave = QStringLiteral("XPuntoVacio");
    } else if (punto == u"." || punto == u"..") {
        clave = QStringLiteral("XPuntoReservado");
        detalle = punto;
    } else if (punto.toUtf8().size() > kMaxBytesPunto) {
        clave = QStringLiteral("XPuntoLargo");
        detalle = QString::number(kMaxBytesPunto);
    } else {
        for (QChar c : punto) {
            if (CaracterProhibido(c)) {
                clave = QStringLiteral("XPuntoCaracter");
                detalle = Describir(c);
                break;
            }
        }
    }
    if (clave.isEmpty())
        return true;
    if (motivo) {
        const QString texto = idioma.mensaje(clave);
        *motivo = detalle.isEmpty() ? texto : texto.arg(detalle);
    }
    return false;
}
