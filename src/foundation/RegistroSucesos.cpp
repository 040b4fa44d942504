#include "RegistroSucesos.h"

#include "ArchivosTexto.h"
#include "FechasTexto.h"

#include <QDir>
#include <QStringList>

QString NombreArchivoSucesos(const QDate& dia, const QString& punto)
{
    return TextoDiaArchivoSucesos(dia) + u'_' + (punto.isEmpty() ? kPuntoProblema : punto) +
           QStringLiteral(".hap");
}

QString LineaSuceso(const QDateTime& momento, const AutorSuceso& autor, const QString& texto)
{
    const QStringList campos = {TextoDiaSuceso(momento),
                                TextoHoraSuceso(momento),
                                autor.punto.isEmpty() ? kPuntoProblema : autor.punto,
                                autor.usuario,
                                autor.nombre,
                                autor.ape1,
                                autor.ape2,
                                texto};
    return campos.join(u';');
}

bool AnexarSuceso(const QString& carpetaDatos, const QDateTime& momento, const AutorSuceso& autor,
                  const QString& texto, QString* error)
{
    const QString carpeta = carpetaDatos + QStringLiteral("/sucesos");
    // Only the last level: a missing database folder (an unmounted share) must
    // fail here, not grow a local copy that splits the logs in two.
    CrearCarpetaCompartida(carpeta);
    return AnexarLinea(carpeta + u'/' + NombreArchivoSucesos(momento.date(), autor.punto),
                       LineaSuceso(momento, autor, texto), error);
}
