#include "foundation/Idiomas.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TablasIdioma Cargar(const QString& codigo)
{
    TablasIdioma t;
    CargarTablasIdioma(codigo, &t);
    return t;
}

} // namespace

class PruebaIdiomas : public QObject
{
    Q_OBJECT

private slots:
    // Every slot filled but 123; the Spanish sets differ only in 140, the two
    // English codes not at all.
    void tablasCompletas()
    {
        TablasIdioma es, co, us, en;
        QVERIFY(CargarTablasIdioma("es", &es) && CargarTablasIdioma("co", &co));
        QVERIFY(CargarTablasIdioma("us", &us) && CargarTablasIdioma("en", &en));
        for (int slot = 0; slot < kSlotsTexto; ++slot) {
            QVERIFY2(es.texto(slot).isEmpty() == (slot == 123), qPrintable(QString::number(slot)));
            QVERIFY2(en.texto(slot).isEmpty() == (slot == 123), qPrintable(QString::number(slot)));
            if (slot != 140)
                QCOMPARE(co.texto(slot), es.texto(slot));
            QCOMPARE(us.texto(slot), en.texto(slot));
        }
        QCOMPARE(co.texto(140), "Activar carga de datos desde última visita");
        for (int n = 1; n <= kSlotsPermiso; ++n)
            QVERIFY(!es.permiso(n).isEmpty() && !en.permiso(n).isEmpty());
        QCOMPARE(co.PermisoIdioma, es.PermisoIdioma);
        QCOMPARE(us.PermisoIdioma, en.PermisoIdioma);
    }

    // Slot numbers; a negative number is a permission description.
    void textosCitados_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("espanol");
        QTest::addColumn<QString>("ingles");
        const auto fila = [](int slot, const char* espanol, const char* ingles) {
            QTest::addRow("%d", slot) << slot << QString(espanol) << QString(ingles);
        };
        fila(2, "Contraseña", "Password");
        fila(7, "Bienvenido/a: ", "Welcome: ");
        fila(36, "¿Salir del programa?", "Are you sure to Exit Zelvora?");
        fila(89, " -  Prop.: ", " -  Owners: ");
        fila(102, "Tipo de Vehículo", "Vechicle Type");
        fila(140, "Activar carga de datos desde visitas", "Enable loading data from last visit");
        fila(175, "Error Tomar Imagen - Obtener Imagen", "Error Tomar Imagen - Obtener Imagen");
        fila(285, "Registrar Salida-Modificar Entrada", "Registrar Salida-Modify Entry Data");
        fila(-1, "Mostrar Gestión de Entradas/Salidas", "Show Visitor Management &Entry/Output");
    }

    void textosCitados()
    {
        QFETCH(int, slot);
        QFETCH(QString, espanol);
        QFETCH(QString, ingles);
        const auto texto = [slot](const TablasIdioma& t) {
            return slot < 0 ? t.permiso(-slot) : t.texto(slot);
        };
        QCOMPARE(texto(Cargar("es")), espanol);
        QCOMPARE(texto(Cargar("us")), ingles);
    }

    void codigoDesconocidoDejaTodoVacio()
    {
        for (const char* codigo : {"fr", "", "ES", "es "}) {
            TablasIdioma t = Cargar("es");
            QVERIFY2(!CargarTablasIdioma(codigo, &t), codigo);
            QCOMPARE(t.TextoIdioma, QStringList(kSlotsTexto));
            QCOMPARE(t.PermisoIdioma, QStringList(kSlotsPermiso + 1));
            // A database failure still gets a readable box.
            QVERIFY(!t.mensaje("XBDNoExiste").isEmpty());
        }
    }

    void archivo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("codigo"); // empty: no language chosen
        QTest::newRow("vacio") << QByteArray() << "";
        // The first field, read as the configuration's is.
        QTest::newRow("primer campo") << QByteArray("  us,co\nes\r\n") << "us";
        QTest::newRow("comillas en dos lineas") << QByteArray("\"us\r\nes\"\r\n") << "us";
    }

    // Read what lies on disk, then replace it with the one line a flag click writes.
    void archivo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, codigo);
        QTemporaryDir dir;
        QString leido;
        QVERIFY(!LeerArchivoIdioma(dir.path(), &leido));
        QFile f(dir.filePath("zelvora_idioma.cfg"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        QCOMPARE(LeerArchivoIdioma(dir.path(), &leido), !codigo.isEmpty());
        QCOMPARE(leido, codigo);
        QVERIFY(EscribirArchivoIdioma(dir.path(), "co", nullptr));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), "co\r\n");
    }

    void escaparTexto()
    {
        QCOMPARE(EscaparTexto(" -  Prop.: &Año "), " -  Prop.: &Año ");
        QCOMPARE(EscaparTexto("C:\\datos\\n"), "C:\\\\datos\\\\n");
        QCOMPARE(EscaparTexto("a\tb\rc\nd"), "a\\tb\\rc\\nd");
    }
};

QTEST_MAIN(PruebaIdiomas)
#include "tst_idiomas.moc"
