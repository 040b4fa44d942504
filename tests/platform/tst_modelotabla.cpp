// The lists' table model under Qt's own model checker, through every way the
// panels fill it, and the row/id lookups the panels keep a selection with.

#include "platform/ModeloTabla.h"

#include <QAbstractItemModelTester>
#include <QTest>

class PruebaModeloTabla : public QObject
{
    Q_OBJECT

private slots:
    void cumpleElContratoDeQt()
    {
        ModeloTabla modelo;
        QAbstractItemModelTester probador(&modelo,
                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
        modelo.fijarEncabezados({"ID", "Nombre", "Placa"});
        // A row written by another program may come short of columns.
        modelo.fijarFilas({{"7", "Ana"}, {"9", "Beto", "XYZ1"}}, {7, 9});
        QCOMPARE(modelo.rowCount(), 2);
        QCOMPARE(modelo.columnCount(), 3);
        QCOMPARE(modelo.index(0, 2).data().toString(), QString());
        QCOMPARE(modelo.index(1, 2).data().toString(), "XYZ1");
        QCOMPARE(modelo.headerData(1, Qt::Horizontal).toString(), "Nombre");
        QVERIFY(!modelo.headerData(1, Qt::Vertical).isValid());
        // Nothing below a row: a table, not a tree.
        QCOMPARE(modelo.rowCount(modelo.index(0, 0)), 0);
        QCOMPARE(modelo.columnCount(modelo.index(0, 0)), 0);
        modelo.fijarFilas({}, {});
        QCOMPARE(modelo.rowCount(), 0);
        modelo.fijarEncabezados({"ID"});
        modelo.fijarFilas({{"1", "de más"}}, {1});
        QCOMPARE(modelo.columnCount(), 1);
    }

    void filasEIdsSeCorresponden()
    {
        ModeloTabla modelo;
        modelo.fijarEncabezados({"ID"});
        modelo.fijarFilas({{"30"}, {"10"}, {"20"}}, {30, 10, 20});
        QCOMPARE(modelo.id(1), 10);
        QCOMPARE(modelo.fila(20), 2);
        // No row, no id: a panel with nothing selected opens nothing.
        QCOMPARE(modelo.id(-1), 0);
        QCOMPARE(modelo.id(3), 0);
        QCOMPARE(modelo.fila(99), -1);
        QCOMPARE(modelo.texto(5, 0), QString());
    }
};

QTEST_MAIN(PruebaModeloTabla)
#include "tst_modelotabla.moc"
