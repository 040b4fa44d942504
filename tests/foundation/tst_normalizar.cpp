#include "foundation/Normalizar.h"

#include <QTest>

namespace {

// Proper case, upper case, first capital.
enum Regla { Propio, Mayus, Primera };

void Fila(const char* nombre, Regla regla, const QString& texto, const QString& esperado)
{
    QTest::newRow(nombre) << int(regla) << texto << esperado;
}

QString ConNul(const char* antes, const char* despues)
{
    return QString::fromUtf8(antes) + QChar(0) + QString::fromUtf8(despues);
}

} // namespace

class PruebaNormalizar : public QObject
{
    Q_OBJECT

private slots:
    void reglas_data()
    {
        QTest::addColumn<int>("regla");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        Fila("propio blanco doble", Propio, "pUERTA  norte", "Puerta  Norte");
        Fila("propio guion", Propio, "santa-rosa", "Santa-rosa");
        Fila("propio apostrofo", Propio, "l'arc", "L'arc");
        Fila("propio blanco inicial", Propio, " sol", " Sol");
        Fila("propio cifra", Propio, "calle 5b sur", "Calle 5b Sur");
        Fila("propio acentos y enie", Propio, "ÁLVARO ÑÚÑEZ érika", "Álvaro Ñúñez Érika");
        Fila("propio tabulador", Propio, "ana\tbel", "Ana\tBel");
        Fila("propio CR LF VT FF", Propio, "a\r\nb\vc\fd", "A\r\nB\vC\fD");
        Fila("propio NUL", Propio, ConNul("ana", "bel"), ConNul("Ana", "Bel"));
        Fila("propio blanco duro", Propio, "ana\u00A0bel", "Ana\u00A0bel");
        Fila("propio astral", Propio, "\U00010428\U00010428 \U00010428",
             "\U00010400\U00010428 \U00010400");
        Fila("mayus placa", Mayus, "abc 12d", "ABC 12D");
        Fila("mayus acentos", Mayus, "ñandú álvarez ü", "ÑANDÚ ÁLVAREZ Ü");
        // A plate field has a length limit: "ß" stays one letter.
        Fila("mayus eszett", Mayus, "straße", "STRAßE");
        Fila("mayus NUL", Mayus, ConNul("ab", "c"), ConNul("AB", "C"));
        Fila("primera vacio", Primera, "", "");
        Fila("primera mayusculas", Primera, "dE LA cruz", "DE LA cruz");
        Fila("primera enie", Primera, "ñandú", "Ñandú");
        Fila("primera blanco inicial", Primera, " sol", " sol");
        Fila("primera cifra", Primera, "1a calle", "1a calle");
        Fila("primera astral", Primera, "\U00010428\U00010428", "\U00010400\U00010428");
    }

    void reglas()
    {
        QFETCH(int, regla);
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        const QString r = regla == Propio  ? NombrePropio(texto)
                          : regla == Mayus ? Mayusculas(texto)
                                           : PrimeraMayuscula(texto);
        QCOMPARE(r, esperado);
    }
};

QTEST_MAIN(PruebaNormalizar)
#include "tst_normalizar.moc"
