#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The rows of a list view: texts by row and column, plus each row's id. Filled
// in one go from a finished query, so thousands of rows show at once.
class ModeloTabla : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void fijarEncabezados(const QStringList& encabezados);
    void fijarFilas(QList<QStringList> filas, QList<int> ids);
    // The columns drawn in bold.
    void fijarNegritas(QList<int> columnas);
    // Changes one cell in place: the selection and the current row stay.
    void fijarTexto(int fila, int columna, const QString& texto);

    int id(int fila) const { return fila >= 0 && fila < ids_.size() ? ids_[fila] : 0; }
    // The row holding that id, or -1.
    int fila(int id) const { return int(ids_.indexOf(id)); }
    QString texto(int fila, int columna) const;

    int rowCount(const QModelIndex& padre = QModelIndex()) const override;
    int columnCount(const QModelIndex& padre = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;

private:
    QStringList encabezados_;
    QList<QStringList> filas_;
    QList<int> ids_;
    QList<int> negritas_;
};
