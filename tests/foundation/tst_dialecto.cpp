#include "ApoyoPruebas.h"

#include "foundation/BaseDatos.h"
#include "foundation/Normalizar.h"

#include <QTest>

// The engine's text fragments, run on a real database: what a guard finds
// when typing a name or part of one, and the order lists come out in.
class PruebaDialecto : public QObject
{
    Q_OBJECT

    const QStringList palabras = {"Ñandú", "ñandu", "Árbol", "arbol", "zorro", "Beto",
                                  "50%",   "500",   "a_b",   "axb",   "c\\d",  "cd"};

private slots:
    void fragmentos_data()
    {
        QTest::addColumn<QString>("operacion");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("ñ = Ñ, ú kept") << "igual"
                                       << "ñandú"
                                       << "Ñandú";
        QTest::newRow("á = Á") << "igual"
                               << "ÁRBOL"
                               << "Árbol";
        QTest::newRow("a ≠ á") << "igual"
                               << "arbol"
                               << "arbol";
        QTest::newRow("contains, case") << "contiene"
                                        << "ÑAN"
                                        << "ñandu|Ñandú";
        QTest::newRow("contains, accent") << "contiene"
                                          << "rBOL"
                                          << "arbol|Árbol";
        QTest::newRow("literal %") << "contiene"
                                   << "0%"
                                   << "50%";
        QTest::newRow("literal _") << "contiene"
                                   << "a_"
                                   << "a_b";
        QTest::newRow("literal \\") << "contiene"
                                    << "c\\"
                                    << "c\\d";
        QTest::newRow("order") << "orden"
                               << ""
                               << "50%|500|a_b|arbol|axb|Beto|c\\d|cd|zorro|Árbol|ñandu|Ñandú";
    }

    void fragmentos()
    {
        QFETCH(QString, operacion);
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        CarpetaPrueba c;
        c.crearBaseDatos();
        BaseDatos& bd = c.ctx->bd();
        SesionBD sesion(bd);
        bd.ejecutar("CREATE TEMP TABLE t (txt TEXT)");
        for (const QString& p : palabras)
            bd.ejecutar("INSERT INTO t VALUES (?)", {p});

        const Dialecto& d = bd.dialecto();
        QString sql = "SELECT txt FROM t";
        QVariantList valores;
        if (operacion == "igual") {
            sql += " WHERE " + d.igualSinMayusculas("txt");
            valores << texto;
        } else if (operacion == "contiene") {
            sql += " WHERE " + d.contiene("txt");
            valores << PatronContiene(texto);
        }
        // Case folded, then code point order: accented letters after z.
        sql += " ORDER BY " + d.ordenSinMayusculas("txt");
        QCOMPARE(Filas(bd, sql, valores).join(u'|'), esperado);
    }
};

QTEST_MAIN(PruebaDialecto)
#include "tst_dialecto.moc"
