// The printed census as the guard gets it: the PDF read back the way a
// person reads the sheet (pdftotext), the rows of each page, the boxes shown
// and the event-log lines, and what happens when the printer fails or the
// guard cancels.

#include "ApoyoListado.h"
#include "census/ListadoCenso.h"
#include "foundation/Configuracion.h"
#include "foundation/Idiomas.h"
#include "platform/Paneles.h"
#include "startup/frmPrincipal.h"

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kSuceso = QStringLiteral("Realiza listado en impresora del censo");
const QString kSucesoFallo =
    kSuceso + QStringLiteral(", pero otro proceso lo estaba realizando al mismo tiempo; es "
                             "posible que se produzcan errores de impresión");
const QString kConfirmacion = QStringLiteral(
    "Se va a realizar el listado en impresora\r\n\r\nAsegúrese que ningún otro punto de control "
    "esté realizando este mismo proceso\r\n\r\n¿Desea proceder?");
const QString kFallo =
    QStringLiteral("Si el listado no sale correctamente, imprima de nuevo asegurándose de que "
                   "no existan otros procesos utilizando la impresora");

// The forty columns and a row's values, for dwellings as any terminal (or
// another program, with Nulls) may have stored them.
QString Columnas()
{
    QStringList c{"nom_unidad", "num_inmueble", "torre", "tfno_inmueble"};
    for (int n = 1; n <= 5; ++n)
        c << QStringLiteral("nombre%1").arg(n) << QStringLiteral("ape1_%1").arg(n)
          << QStringLiteral("ape2_%1").arg(n) << QStringLiteral("tipo_usu%1").arg(n);
    for (int n = 1; n <= 5; ++n)
        c << QStringLiteral("veh_placa%1").arg(n) << QStringLiteral("veh_descr%1").arg(n)
          << QStringLiteral("veh_tipo%1").arg(n);
    c << QStringLiteral("notas");
    return c.join(u',');
}

struct Vivienda
{
    QVariant nomUnidad = QStringLiteral("Conjunto Piñas");
    QVariant numero;
    QVariant torre = 2;
    QVariant tfno = QStringLiteral("6012345");
    QList<QStringList> residentes; // nombre, ape1, ape2, tipo; "" slots stay empty
    QList<QStringList> vehiculos;  // placa, descr, tipo
    QVariant notas = QStringLiteral("");
};

// A dwelling that prints its line and the blank one after it: 2 lines.
Vivienda Sencilla(const QString& numero, const QString& unidad = QStringLiteral("Conjunto Piñas"))
{
    Vivienda v;
    v.numero = numero;
    v.nomUnidad = unidad;
    return v;
}

// Every slot filled: 16 lines with its blank one.
Vivienda Llena(const QString& numero)
{
    Vivienda v = Sencilla(numero);
    for (int n = 1; n <= 5; ++n) {
        v.residentes << QStringList{QStringLiteral("Nombre%1").arg(n), "Peña", "O'Neil",
                                    "Propietario"};
        v.vehiculos << QStringList{QStringLiteral("ABC12%1").arg(n), "Mazda 3 Gris", "Carro"};
    }
    v.notas = QStringLiteral("Tiene mascota");
    return v;
}

} // namespace

class PruebaListadoCenso : public QObject, ApoyoListado
{
    Q_OBJECT

private:
    void agregar(const Vivienda& v)
    {
        QVariantList valores{v.nomUnidad, v.numero, v.torre, v.tfno};
        for (int n = 0; n < 5; ++n) {
            const QStringList r = v.residentes.value(n, {"", "", "", " "});
            valores << r[0] << r[1] << r[2] << r[3];
        }
        for (int n = 0; n < 5; ++n) {
            const QStringList c = v.vehiculos.value(n, {"", "", ""});
            valores << c[0] << c[1] << c[2];
        }
        valores << v.notas;
        carpeta->ejecutarSql(QStringLiteral("INSERT INTO censos (%1) VALUES (%2)")
                                 .arg(Columnas(), QStringList(40, QStringLiteral("?")).join(u',')),
                             valores);
    }

    // The system's devices, the document going to the test's PDF file; its
    // pages, when it was written.
    QList<QStringList> imprimirPdf()
    {
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        ImprimirListadoCenso(ctx(), &ventana);
        return QFile::exists(pdf) ? PaginasPdf(pdf) : QList<QStringList>();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(HayPdftotext(), "pdftotext (poppler-utils) reads the PDF back");
    }
    void init() { prepararListado(QStringLiteral("censo ñandú.pdf")); }
    void cleanup() { terminarListado(); }

    // A dwelling as the sheet shows it, in both languages: its line, the
    // residents and vehicles under their headings, the notes, and the page
    // number below the last one. Accents and apostrophes print as stored.
    void unaViviendaEntera_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QStringList>("hoja");
        QTest::newRow("es") << "es"
                            << QStringList{"CONJUNTO PIÑAS",
                                           "N. 101 Torre 2 Tfno. 6012345",
                                           "USUARIOS",
                                           "José María Núñez O'Neil Propietario",
                                           "Ana Peña Núñez Inquilino",
                                           "VEHÍCULOS",
                                           "ÑXZ123 Renault Logan Gris 2018 Carro",
                                           "NOTAS",
                                           "Perro 'Toby'; llamar antes de subir",
                                           "Página: 1"};
        QTest::newRow("en") << "en"
                            << QStringList{"CONJUNTO PIÑAS",
                                           "N. 101 Tower 2 Phone 6012345",
                                           "USERS",
                                           "José María Núñez O'Neil Propietario",
                                           "Ana Peña Núñez Inquilino",
                                           "VEHICLES",
                                           "ÑXZ123 Renault Logan Gris 2018 Carro",
                                           "NOTES",
                                           "Perro 'Toby'; llamar antes de subir",
                                           "Page: 1"};
    }
    void unaViviendaEntera()
    {
        QFETCH(QString, idioma);
        QFETCH(QStringList, hoja);
        usarIdioma(idioma);
        Vivienda v = Sencilla("101");
        v.residentes = {{"José María", "Núñez", "O'Neil", "Propietario"},
                        {"Ana", "Peña", "Núñez", "Inquilino"}};
        v.vehiculos = {{"ÑXZ123", "Renault Logan Gris 2018", "Carro"}};
        v.notas = QStringLiteral("Perro 'Toby'; llamar antes de subir");
        agregar(v);

        QCOMPARE(imprimirPdf(), QList<QStringList>{hoja});
        const Dialogos::Mensaje& pregunta = dialogos().mostrados.front();
        QCOMPARE(pregunta.texto,
                 ctx().texto(40) + "\r\n\r\n" + ctx().texto(41) + "\r\n\r\n" + ctx().texto(42));
        QCOMPARE(pregunta.titulo, ctx().texto(43));
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(dialogos().ultimo().texto, ctx().idioma.mensaje("XListadoPdf") + "\r\n" + pdf);
        QCOMPARE(sucesos(), (QStringList{kSuceso, "Listado guardado en el archivo " + pdf}));
    }

    // The rows of a page, blank ones included: a blank row, the unit's name,
    // a blank row, the dwelling and a blank row, the page number. A heading
    // follows its first slot only; a Null tower, telephone or notes prints
    // nothing.
    void filasDeLaPagina()
    {
        Vivienda sola = Sencilla("7");
        sola.torre = QVariant();
        sola.tfno = QVariant();
        sola.notas = QVariant();
        agregar(sola);
        Vivienda sinPrimeros = Sencilla("8");
        sinPrimeros.residentes = {{"", "", "", " "}, {"", "", "", " "}, {"Eva", "Gil", "", " "}};
        sinPrimeros.vehiculos = {{"", "", ""}, {"MTO12A", "Yamaha", "Moto"}};
        agregar(sinPrimeros);
        ImprimirListadoCenso(ctx(), &ventana, conGrabadora());

        QCOMPARE(grabadora.paginas(), 1);
        QCOMPARE(grabadora.hoja(1),
                 (QStringList{"", "CONJUNTO PIÑAS", "", "N. 7\t\tTorre \t\tTfno. ", "",
                              "N. 8\t\tTorre 2\t\tTfno. 6012345", "Eva Gil   ",
                              "MTO12A Yamaha Moto", "", "Página: 1"}));
        QVERIFY(grabadora.terminada);
        QCOMPARE(totalProgreso, 2);
        QCOMPARE(textoProgreso, "Imprimiendo el censo...");
        QCOMPARE(hechos, 2);
    }

    // The page changes between dwellings once 41 lines are counted: at 40 the
    // next dwelling still goes on the page, and one that starts on line 40 is
    // printed whole. The new page's heading names the dwelling that opens it,
    // above two blank rows.
    void saltoDePaginaACuarentaYUnaLineas_data()
    {
        QTest::addColumn<int>("sencillasAntes");
        QTest::addColumn<bool>("terceraSola"); // a 3-line dwelling after them
        QTest::addColumn<bool>("llena");       // a 16-line dwelling after them
        QTest::addColumn<QList<int>>("porPagina");
        // 20 x 2 = 40 lines: the 21st and last dwelling stays on page 1.
        QTest::newRow("40, then one") << 20 << false << false << QList<int>{21};
        // 19 x 2 + 3 = 41 lines: the next dwelling opens page 2.
        QTest::newRow("41, then one") << 19 << true << false << QList<int>{20, 1};
        // 40 lines, then 16 on the same page (56), then page 2.
        QTest::newRow("56, then one") << 20 << false << true << QList<int>{21, 1};
    }
    void saltoDePaginaACuarentaYUnaLineas()
    {
        QFETCH(int, sencillasAntes);
        QFETCH(bool, terceraSola);
        QFETCH(bool, llena);
        QFETCH(QList<int>, porPagina);
        // Numbers sort as text: "p01" ... "p40", then "q" dwellings.
        for (int n = 1; n <= sencillasAntes; ++n)
            agregar(Sencilla(QStringLiteral("p%1").arg(n, 2, 10, QLatin1Char('0'))));
        if (terceraSola) {
            Vivienda v = Sencilla("q1");
            v.residentes = {{"", "", "", " "}, {"Eva", "Gil", "Mar", "Inquilino"}};
            agregar(v);
        }
        if (llena)
            agregar(Llena("q1"));
        agregar(Sencilla("r1", "Torres del Río"));

        // Through the recorder: the exact rows of the break.
        ImprimirListadoCenso(ctx(), &ventana, conGrabadora());
        QCOMPARE(grabadora.paginas(), porPagina.size());
        const QStringList primera = grabadora.hoja(1);
        QCOMPARE(primera.last(), "Página: 1");
        QCOMPARE(primera[primera.size() - 2], ""); // the blank row after the last dwelling
        if (porPagina.size() == 2) {
            QCOMPARE(grabadora.hoja(2),
                     (QStringList{"", "TORRES DEL RÍO", "", "", "N. r1\t\tTorre 2\t\tTfno. 6012345",
                                  "", "Página: 2"}));
        }

        // And on the sheet.
        const QList<QStringList> paginas = imprimirPdf();
        QCOMPARE(paginas.size(), porPagina.size());
        for (int p = 0; p < paginas.size(); ++p) {
            int viviendas = 0;
            for (const QString& linea : paginas[p])
                viviendas += linea.startsWith(QStringLiteral("N. "));
            QCOMPARE(viviendas, porPagina[p]);
            QCOMPARE(paginas[p].last(), QStringLiteral("Página: %1").arg(p + 1));
        }
        QCOMPARE(paginas[0].first(), "CONJUNTO PIÑAS");
        if (paginas.size() == 2) {
            QCOMPARE(paginas[1].first(), "TORRES DEL RÍO");
            QCOMPARE(paginas[1].value(1), "N. r1 Torre 2 Tfno. 6012345");
        } else {
            QCOMPARE(paginas[0][paginas[0].size() - 2], "N. r1 Torre 2 Tfno. 6012345");
        }
    }

    // Dwellings come in the text order of their numbers ("10" before "9"),
    // and the heading of each page names the dwelling that opens it, not the
    // first of the listing; page numbers count on.
    void ordenYEncabezadosDeCadaPagina()
    {
        usarIdioma(QStringLiteral("en"));
        // 3 full dwellings (48 lines) a page.
        agregar(Llena("9"));
        for (const char* numero : {"10", "11", "12"})
            agregar(Llena(numero));
        Vivienda otra = Llena("13");
        otra.nomUnidad = QStringLiteral("reserva del río ñuble");
        agregar(otra);
        agregar(Llena("14"));
        agregar(Llena("15"));

        const QList<QStringList> paginas = imprimirPdf();
        QCOMPARE(paginas.size(), 3);
        QStringList encabezados, numeros, pies;
        for (const QStringList& hoja : paginas) {
            encabezados << hoja.first();
            pies << hoja.last();
            for (const QString& linea : hoja)
                if (linea.startsWith("N. "))
                    numeros << linea.section(u' ', 1, 1);
        }
        QCOMPARE(encabezados,
                 (QStringList{"CONJUNTO PIÑAS", "RESERVA DEL RÍO ÑUBLE", "CONJUNTO PIÑAS"}));
        QCOMPARE(numeros, (QStringList{"10", "11", "12", "13", "14", "15", "9"}));
        QCOMPARE(pies, (QStringList{"Page: 1", "Page: 2", "Page: 3"}));
        QCOMPARE(paginas[0].mid(1, 3), (QStringList{"N. 10 Tower 2 Phone 6012345", "USERS",
                                                    "Nombre1 Peña O'Neil Propietario"}));
        QVERIFY(paginas[0].contains("VEHICLES"));
        QVERIFY(paginas[0].contains("NOTES"));
    }

    // Notes typed on several lines keep their lines, and a long line wraps
    // at a blank: every word is on the sheet, none beyond the page's edge.
    void notasDeVariasLineas()
    {
        Vivienda v = Sencilla("101");
        const QString larga =
            QStringLiteral("Obra en el apartamento hasta fin de mes, con ruido entre las ocho de "
                           "la mañana y las cinco de la tarde; los obreros entran por la "
                           "portería norte con el permiso de la administración");
        v.notas = QStringLiteral("Tiene mascota\r\n\r\n") + larga;
        agregar(v);
        ImprimirListadoCenso(ctx(), &ventana, conGrabadora());

        const QStringList hoja = grabadora.hoja(1);
        const qsizetype notas = hoja.indexOf("NOTAS");
        QVERIFY(notas > 0);
        QCOMPARE(hoja[notas + 1], "Tiene mascota");
        QStringList renglones;
        for (qsizetype n = notas + 2; !hoja[n].isEmpty(); ++n) {
            QVERIFY2(hoja[n].size() <= 80, qPrintable(hoja[n]));
            renglones << hoja[n];
        }
        QVERIFY(renglones.size() > 1);
        QCOMPARE(renglones.join(u' '), larga);
    }

    void elNoNoEscribeNada()
    {
        agregar(Sencilla("101"));
        dialogos().respuestas = {Dialogos::Respuesta::No};
        imprimirPdf();
        QCOMPARE(dialogos().textos(), QStringList{kConfirmacion});
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sucesos(), QStringList());
    }

    void censoVacioNoHayListado()
    {
        imprimirPdf();
        QCOMPARE(dialogos().textos(),
                 (QStringList{kConfirmacion, "No existen datos para el listado"}));
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Informacion);
        QCOMPARE(dialogos().ultimo().titulo, QString());
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sucesos(), QStringList{kSuceso});
    }

    // A printer that fails (from the start or halfway) does not stop the
    // listing: it runs to its end and the guard is told once, afterwards.
    void falloDeLaImpresoraSeAvisaAlFinal_data()
    {
        QTest::addColumn<bool>("alEmpezar");
        QTest::newRow("cannot start") << true;
        QTest::newRow("halfway") << false;
    }
    void falloDeLaImpresoraSeAvisaAlFinal()
    {
        QFETCH(bool, alEmpezar);
        for (int n = 1; n <= 30; ++n)
            agregar(Sencilla(QString::number(100 + n)));
        if (alEmpezar)
            grabadora.fallarAlEmpezar = true;
        else
            grabadora.fallarEnLinea = 5;
        ImprimirListadoCenso(ctx(), &ventana, conGrabadora());

        QCOMPARE(hechos, 30);
        QCOMPARE(dialogos().textos(), (QStringList{kConfirmacion, kFallo}));
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(dialogos().ultimo().titulo, QString());
        QCOMPARE(grabadora.lineas.size(), size_t(alEmpezar ? 0 : 5));
        QCOMPARE(sucesos(), (QStringList{kSuceso, kSucesoFallo,
                                         "Error de impresión: The printer failed (test)"}));
    }

    // A census that cannot be read is the listing's failure too; the reason
    // is in the event log, and nothing is printed.
    void baseDeDatosQueNoSeLee()
    {
        agregar(Sencilla("101"));
        carpeta->borrarBaseDatos();
        ImprimirListadoCenso(ctx(), &ventana, conGrabadora());

        QCOMPARE(dialogos().textos(), (QStringList{kConfirmacion, kFallo}));
        QVERIFY(grabadora.lineas.empty());
        QVERIFY(!grabadora.terminada);
        const QStringList lineas = sucesos();
        QCOMPARE(lineas.first(), kSuceso);
        QCOMPARE(lineas.last(), kSucesoFallo);
        QCOMPARE(lineas.size(), 3); // the database's reason between them
    }

    // A PDF file that cannot be written says which file it was, and leaves
    // nothing behind.
    void pdfQueNoSePuedeEscribir()
    {
        agregar(Sencilla("101"));
        pdf = carpeta->archivo(QStringLiteral("no existe/censo.pdf"));
        imprimirPdf();

        QCOMPARE(dialogos().ultimo().texto,
                 kFallo + "\r\n\r\nNo se ha podido escribir el archivo del listado:\r\n" + pdf);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sucesos().value(1), kSucesoFallo);
        QVERIFY2(sucesos().last().startsWith("Error de impresión: " + pdf),
                 qPrintable(sucesos().last()));
    }

    // The guard's Cancel leaves no file under the chosen name, not even an
    // earlier one spoiled, and an event-log line.
    void cancelarElListado()
    {
        for (int n = 1; n <= 100; ++n)
            agregar(Sencilla(QString::number(100 + n)));
        QFile previo(pdf);
        QVERIFY(previo.open(QIODevice::WriteOnly));
        previo.write("listado anterior");
        previo.close();
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        EquipoListado equipo = conGrabadora(40);
        equipo.abrirImpresora = EquipoListadoSistema().abrirImpresora;
        ImprimirListadoCenso(ctx(), &ventana, equipo);

        QCOMPARE(totalProgreso, 100);
        QCOMPARE(hechos, 40);
        QCOMPARE(LeerBytes(pdf), QByteArray("listado anterior"));
        QCOMPARE(dialogos().textos(), QStringList{kConfirmacion});
        QCOMPARE(sucesos(), (QStringList{kSuceso, "Cancela el listado en impresora del censo"}));
    }

    // A machine with no printer keeps the listing in the program folder,
    // named by the moment it was printed, and tells the guard where.
    void sinImpresoraVaAUnPdf()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("This machine has a printer: the listing would go to paper");
        agregar(Sencilla("101"));
        ImprimirListadoCenso(ctx(), &ventana);

        const QString archivo =
            carpeta->archivo(QStringLiteral("listados/censo 20260805-140309.pdf"));
        QCOMPARE(PaginasPdf(archivo).value(0).value(0), "CONJUNTO PIÑAS");
        QCOMPARE(dialogos().ultimo().texto,
                 "El listado se ha guardado en el archivo:\r\n" + archivo);
    }

    // The main window's menu entry runs the listing and opens no panel.
    void laEntradaDelMenuImprime()
    {
        agregar(Sencilla("101"));
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        auto principal = carpeta->entrar();
        auto* mnuListado = principal->findChild<QAction*>(QStringLiteral("mnuListado"));
        QVERIFY(mnuListado);
        QVERIFY(mnuListado->isVisible());
        mnuListado->trigger();

        QCOMPARE(dialogos().textos().value(0), kConfirmacion);
        QCOMPARE(PaginasPdf(pdf).value(0).value(1), "N. 101 Torre 2 Tfno. 6012345");
        QVERIFY(principal->findChildren<Panel*>().isEmpty());
        mnuListado->trigger();
        QCOMPARE(dialogos().textos().count(kConfirmacion), 2);
    }
};

QTEST_MAIN(PruebaListadoCenso)
#include "tst_listadocenso.moc"
