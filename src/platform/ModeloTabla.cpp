#include "ModeloTabla.h"

#include <QFont>

void ModeloTabla::fijarEncabezados(const QStringList& encabezados)
{
    beginResetModel();
    encabezados_ = encabezados;
    endResetModel();
}

void ModeloTabla::fijarFilas(QList<QStringList> filas, QList<int> ids)
{
    beginResetModel();
    filas_ = std::move(filas);
    ids_ = std::move(ids);
    endResetModel();
}

void ModeloTabla::fijarNegritas(QList<int> columnas)
{
    negritas_ = std::move(columnas);
    if (!filas_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole});
}

void ModeloTabla::fijarTexto(int fila, int columna, const QString& texto)
{
    if (fila < 0 || fila >= filas_.size() || columna < 0 || columna >= filas_[fila].size())
        return;
    filas_[fila][columna] = texto;
    const QModelIndex celda = index(fila, columna);
    emit dataChanged(celda, celda, {Qt::DisplayRole});
}

QString ModeloTabla::texto(int fila, int columna) const
{
    if (fila < 0 || fila >= filas_.size())
        return QString();
    return filas_[fila].value(columna);
}

int ModeloTabla::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloTabla::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(encabezados_.size());
}

QVariant ModeloTabla::data(const QModelIndex& indice, int rol) const
{
    if (!indice.isValid())
        return QVariant();
    if (rol == Qt::FontRole && negritas_.contains(indice.column())) {
        QFont letra;
        letra.setBold(true);
        return letra;
    }
    if (rol != Qt::DisplayRole)
        return QVariant();
    return texto(indice.row(), indice.column());
}

QVariant ModeloTabla::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (rol != Qt::DisplayRole || orientacion != Qt::Horizontal)
        return QVariant();
    return encabezados_.value(seccion);
}
