// The printed visitor log as the guard gets it: the PDF read back the way a
// person reads the sheet (pdftotext), the boxes shown and the event-log lines,
// and what happens when the printer fails or the guard cancels.

#include "ApoyoListado.h"
#include "foundation/Configuracion.h"
#include "foundation/Idiomas.h"
#include "platform/Progreso.h"
#include "visitlog/ListadoVisitas.h"
#include "visits/Visitas.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

namespace {

// Every reading of the clock a minute later than the one before: a header
// that read it again on a later page would show another time.
class RelojQueAvanza : public Reloj
{
public:
    mutable QDateTime momento = QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9));
    QDateTime ahora() const override
    {
        const QDateTime ahora = momento;
        momento = momento.addSecs(60);
        return ahora;
    }
};

const QString kSuceso =
    QStringLiteral("Realiza listado en impresora del registro de entradas y salidas");
const QString kEncabezadoEs =
    QStringLiteral("IMPRESIÓN: Miércoles, 05 de Agosto de 2026 - 02:03:09 pm");

Visita NuevaVisita(int n)
{
    Visita v;
    v.id_es = n;
    v.datos.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(0, 0)).addSecs(60 * n);
    v.datos.NombreVisitante = QStringLiteral("Visitante %1").arg(n);
    v.textoNAcomp = QStringLiteral("1");
    return v;
}

QList<Visita> NuevasVisitas(int cuantas)
{
    QList<Visita> visitas;
    for (int n = 1; n <= cuantas; ++n)
        visitas << NuevaVisita(n);
    return visitas;
}

} // namespace

class PruebaListadoVisitas : public QObject, ApoyoListado
{
    Q_OBJECT

private:
    RelojQueAvanza reloj;

    QList<Visita> leer(const QList<int>& ids)
    {
        QList<Visita> visitas;
        BaseDatos& bd = ctx().bd();
        SesionBD sesion(bd);
        for (int id : ids)
            visitas << *LeerVisita(bd, id);
        return visitas;
    }

    // The system's devices, the document going to the test's PDF file.
    void imprimirPdf(const QList<Visita>& visitas)
    {
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        ImprimirListadoVisitas(ctx(), &ventana, visitas);
    }

    QString confirmacion() const
    {
        return QStringLiteral(
            "Se va a realizar el listado en impresora\r\n\r\nAsegúrese que ningún otro punto de "
            "control esté realizando este mismo proceso\r\n\r\n¿Desea proceder?");
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(HayPdftotext(), "pdftotext (poppler-utils) reads the PDF back");
    }

    void init()
    {
        prepararListado(QStringLiteral("listado ñandú.pdf"), &reloj);
        reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9));
        // The header names the first in name order, letter case ignored; an
        // unnamed row does not blank it.
        carpeta->ejecutarSql("INSERT INTO censos (nom_unidad) VALUES ('Torres del parque'), "
                             "(''), ('conjunto Piñas'), ('Conjunto Piñas B')");
    }

    void cleanup() { terminarListado(); }

    // Fourteen visits fill a page: the next visit starts a page of its own
    // under the same header, and the last page ends after its last visit.
    void catorceVisitasPorPagina_data()
    {
        QTest::addColumn<int>("visitas");
        QTest::addColumn<QList<int>>("porPagina");
        QTest::newRow("14") << 14 << QList<int>{14};
        QTest::newRow("15") << 15 << QList<int>{14, 1};
        QTest::newRow("28") << 28 << QList<int>{14, 14};
    }
    void catorceVisitasPorPagina()
    {
        QFETCH(int, visitas);
        QFETCH(QList<int>, porPagina);
        imprimirPdf(NuevasVisitas(visitas));

        const QList<QStringList> paginas = PaginasPdf(pdf);
        QCOMPARE(paginas.size(), porPagina.size());
        int siguiente = 1;
        for (int p = 0; p < paginas.size(); ++p) {
            const QStringList& hoja = paginas[p];
            QCOMPARE(hoja.value(0), "CONJUNTO PIÑAS");
            QCOMPARE(hoja.value(1), kEncabezadoEs);
            QCOMPARE(hoja.size(), 2 + 3 * porPagina[p] + 1);
            for (int v = 0; v < porPagina[p]; ++v, ++siguiente)
                QVERIFY2(hoja[2 + 3 * v].endsWith(
                             QStringLiteral("Visitante: Visitante %1").arg(siguiente)),
                         qPrintable(hoja[2 + 3 * v]));
            QCOMPARE(hoja.last(), QStringLiteral("Página: %1").arg(p + 1));
        }
        QCOMPARE(
            dialogos().textos(),
            (QStringList{confirmacion(),
                         QStringLiteral("El listado se ha guardado en el archivo:\r\n") + pdf}));
        QCOMPARE(sucesos(), (QStringList{kSuceso, "Listado guardado en el archivo " + pdf}));
        // The folder for listings without a printer is not made for one that has a place.
        QVERIFY(!QDir(carpeta->archivo(QStringLiteral("listados"))).exists());
    }

    // The labels follow the program's language; the date's names follow the
    // regional settings, joined by a Spanish " de " in every language.
    void lineasDeUnaVisita_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QLocale>("regional");
        QTest::addColumn<QStringList>("hoja");
        QTest::newRow("es") << "es" << QLocale(QLocale::Spanish, QLocale::Colombia)
                            << QStringList{
                                   "CONJUNTO PIÑAS",
                                   kEncabezadoEs,
                                   "Entrada: 04/08/2026 09:05:07 am Salida: 04/08/2026 "
                                   "05:30:00 pm Visitante: Ana Núñez",
                                   "Acomp. 12 Placa: ABC123 Autoriza: Luis Gil",
                                   "Observaciones: Taxi; dejó paquete",
                                   "Entrada: 05/08/2026 12:00:00 am Salida: Visitante: Eva Mar",
                                   "Acomp. Placa: Autoriza:",
                                   "Observaciones:",
                                   "Página: 1"};
        QTest::newRow("en") << "en" << QLocale(QLocale::English, QLocale::UnitedStates)
                            << QStringList{
                                   "CONJUNTO PIÑAS",
                                   "PRINTED: Wednesday, 05 de August de 2026 - 02:03:09 pm",
                                   "Entry Date: 04/08/2026 09:05:07 am Leaving Date: 04/08/2026 "
                                   "05:30:00 pm Visitor: Ana Núñez",
                                   "Nº Companions 12 N. Plate: ABC123 Authorizes: Luis Gil",
                                   "Observations: Taxi; dejó paquete",
                                   "Entry Date: 05/08/2026 12:00:00 am Leaving Date: Visitor: "
                                   "Eva Mar",
                                   "Nº Companions N. Plate: Authorizes:",
                                   "Observations:",
                                   "Page: 1"};
        QTest::newRow("en, Spanish regional settings")
            << "en" << QLocale(QLocale::Spanish, QLocale::Spain)
            << QStringList{"CONJUNTO PIÑAS",
                           "PRINTED: Miércoles, 05 de Agosto de 2026 - 02:03:09 pm",
                           "Entry Date: 04/08/2026 09:05:07 am Leaving Date: 04/08/2026 "
                           "05:30:00 pm Visitor: Ana Núñez",
                           "Nº Companions 12 N. Plate: ABC123 Authorizes: Luis Gil",
                           "Observations: Taxi; dejó paquete",
                           "Entry Date: 05/08/2026 12:00:00 am Leaving Date: Visitor: Eva Mar",
                           "Nº Companions N. Plate: Authorizes:",
                           "Observations:",
                           "Page: 1"};
    }
    void lineasDeUnaVisita()
    {
        QFETCH(QString, idioma);
        QFETCH(QLocale, regional);
        QFETCH(QStringList, hoja);
        QLocale::setDefault(regional);
        usarIdioma(idioma);
        const int ana =
            carpeta->agregarVisita({"2026-08-04 09:05:07", "Ana Núñez", "2026-08-04 17:30:00",
                                    "Luis Gil", 12, "ABC123", "Taxi;\r\ndejó paquete"});
        // Written by another program: every optional column Null.
        carpeta->ejecutarSql(
            "INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, NombreVisitanteClave) "
            "VALUES ('2026-08-05 00:00:00', 'Eva Mar', 'eva mar')");
        imprimirPdf(leer({ana, ana + 1}));

        QCOMPARE(PaginasPdf(pdf), QList<QStringList>{hoja});
        QCOMPARE(dialogos().mostrados.front().titulo, ctx().texto(257));
        QCOMPARE(dialogos().mostrados.front().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(dialogos().mostrados.front().botones, Dialogos::Botones::SiNo);
    }

    // A machine with no printer keeps the listing in the program folder,
    // named by the moment it was printed, and tells the guard where.
    void sinImpresoraVaAUnPdf()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("This machine has a printer: the listing would go to paper");
        ImprimirListadoVisitas(ctx(), &ventana, NuevasVisitas(1));

        const QString archivo =
            carpeta->archivo(QStringLiteral("listados/registro_visitas 20260805-140309.pdf"));
        QCOMPARE(PaginasPdf(archivo).value(0).value(1), kEncabezadoEs);
        QCOMPARE(dialogos().ultimo().texto,
                 "El listado se ha guardado en el archivo:\r\n" + archivo);
    }

    void elNoNoEscribeNada()
    {
        dialogos().respuestas = {Dialogos::Respuesta::No};
        imprimirPdf(NuevasVisitas(3));
        QCOMPARE(dialogos().textos(), QStringList{confirmacion()});
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sucesos(), QStringList());
    }

    void sinVisitasNoHayListado()
    {
        imprimirPdf({});
        QCOMPARE(dialogos().textos(),
                 (QStringList{confirmacion(), "No existen datos para el listado"}));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sucesos(), QStringList{kSuceso});
    }

    // A printer that cannot start, or a database that cannot be read, is
    // told before the first visit: nothing of a visit is printed or sent.
    void falloAntesDeLaPrimeraVisita_data()
    {
        QTest::addColumn<bool>("sinBaseDatos");
        QTest::newRow("printer") << false;
        QTest::newRow("database") << true;
    }
    void falloAntesDeLaPrimeraVisita()
    {
        QFETCH(bool, sinBaseDatos);
        if (sinBaseDatos)
            carpeta->borrarBaseDatos();
        else
            grabadora.fallarAlEmpezar = true;
        ImprimirListadoVisitas(ctx(), &ventana, NuevasVisitas(3), conGrabadora());

        const QString error = QStringLiteral(
            "Se produjo un error durante la impresión.\r\n\r\nRealice de nuevo el proceso "
            "asegurándose de que no existan otros procesos utilizando la impresora");
        QCOMPARE(dialogos().textos(), (QStringList{confirmacion(), error}));
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(dialogos().ultimo().titulo, QString());
        for (const auto& linea : grabadora.lineas)
            QVERIFY2(!linea.texto.startsWith(QStringLiteral("Entrada")), qPrintable(linea.texto));
        QVERIFY(!grabadora.terminada);
        const QStringList lineas = sucesos();
        QCOMPARE(lineas.first(), kSuceso);
        QVERIFY(lineas.contains("Se produjo un error durante la impresión. EOF"));
        if (!sinBaseDatos)
            QCOMPARE(lineas.last(), "Error de impresión: The printer failed (test)");
    }

    // A failure while a visit prints is told before the next one, and the
    // rest is dropped: no page number, no document sent.
    void falloDuranteUnaVisita()
    {
        grabadora.fallarEnLinea = 2 + 3 + 1; // the second visit's second line
        ImprimirListadoVisitas(ctx(), &ventana, NuevasVisitas(3), conGrabadora());

        QCOMPARE(dialogos().mostrados.size(), size_t(2));
        QVERIFY(dialogos().ultimo().texto.startsWith("Se produjo un error durante la impresión."));
        // The header, visit 1, and visit 2's first line on row 9.
        QCOMPARE(grabadora.lineas.size(), size_t(2 + 3 + 1));
        QCOMPARE(grabadora.lineas.back().fila, 9);
        QVERIFY(!grabadora.terminada);
        QCOMPARE(sucesos(), (QStringList{kSuceso, "Se produjo un error durante la impresión. EOF",
                                         "Error de impresión: The printer failed (test)"}));
    }

    // A failure on the last visit is found when the document ends.
    void falloEnLaUltimaVisita()
    {
        grabadora.fallarEnLinea = 2 + 3 + 3 + 2; // the third visit's last line
        ImprimirListadoVisitas(ctx(), &ventana, NuevasVisitas(3), conGrabadora());

        QCOMPARE(dialogos().textos(),
                 (QStringList{confirmacion(), "Si el listado no sale correctamente, imprima de "
                                              "nuevo asegurándose de que no existan otros "
                                              "procesos utilizando la impresora"}));
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Exclamacion);
        QVERIFY(grabadora.terminada);
        QCOMPARE(sucesos(),
                 (QStringList{kSuceso,
                              kSuceso + ", pero otro proceso lo estaba realizando al mismo "
                                        "tiempo; es posible que se produzcan errores de "
                                        "impresión",
                              "Error de impresión: The printer failed (test)"}));
    }

    // A PDF file that cannot be written says which file it was.
    void pdfQueNoSePuedeEscribir()
    {
        pdf = carpeta->archivo(QStringLiteral("no existe/listado.pdf"));
        imprimirPdf(NuevasVisitas(2));

        QCOMPARE(dialogos().ultimo().texto,
                 QStringLiteral("Se produjo un error durante la impresión.\r\n\r\nRealice de "
                                "nuevo el proceso asegurándose de que no existan otros procesos "
                                "utilizando la impresora\r\n\r\nNo se ha podido escribir el "
                                "archivo del listado:\r\n") +
                     pdf);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY2(sucesos().last().startsWith("Error de impresión: " + pdf),
                 qPrintable(sucesos().last()));
    }

    // A long run shows its progress; the guard's Cancel leaves no file under
    // the chosen name, not even an earlier one spoiled, and a log line.
    void cancelarUnListadoLargo()
    {
        QFile previo(pdf);
        QVERIFY(previo.open(QIODevice::WriteOnly));
        previo.write("listado anterior");
        previo.close();
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        EquipoListado equipo = conGrabadora(40);
        equipo.abrirImpresora = EquipoListadoSistema().abrirImpresora;
        ImprimirListadoVisitas(ctx(), &ventana, NuevasVisitas(10000), equipo);

        QCOMPARE(totalProgreso, 10000);
        QCOMPARE(textoProgreso, "Imprimiendo el registro de visitas...");
        QCOMPARE(hechos, 40);
        QCOMPARE(LeerBytes(pdf), QByteArray("listado anterior"));
        QCOMPARE(dialogos().textos(), QStringList{confirmacion()});
        QCOMPARE(sucesos(), (QStringList{kSuceso, "Cancela el listado en impresora del registro "
                                                  "de entradas y salidas"}));
    }

    // The program's progress box: the guard's click on Cancel is what the run reads.
    void laCajaDeProgresoSeCancela()
    {
        ventana.show();
        auto progreso = AbrirProgresoQt(&ventana, QStringLiteral("Imprimiendo"), 10000);
        progreso->avanzar(100);
        auto* caja = ventana.findChild<QProgressDialog*>();
        QVERIFY(caja);
        QCOMPARE(caja->labelText(), "Imprimiendo");
        QCOMPARE(caja->maximum(), 10000);
        QVERIFY(!progreso->cancelado());
        auto* cancelar = caja->findChild<QPushButton*>();
        QVERIFY(cancelar);
        QTest::mouseClick(cancelar, Qt::LeftButton);
        QVERIFY(progreso->cancelado());
        progreso.reset();
        QVERIFY(!ventana.findChild<QProgressDialog*>());
        ventana.hide();
    }
};

QTEST_MAIN(PruebaListadoVisitas)
#include "tst_listadovisitas.moc"
