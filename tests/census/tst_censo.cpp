// The census statements on a real database file.

#include "ApoyoPruebas.h"
#include "census/Censo.h"

#include <QTest>

class PruebaCenso : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;

    BaseDatos& bd() { return carpeta->ctx->bd(); }

    // Every field different, with quotes, wildcards and accents.
    static RegistroCenso Completo(const QString& unidad)
    {
        QStringList textos;
        for (int i = 0; i < RegistroCenso::kCampos; ++i)
            textos << QStringLiteral("%1 O'Ñúñez 5%_\"%2").arg(unidad).arg(i);
        RegistroCenso r = CensoDeTextos(textos);
        r.torre = QStringLiteral("02");
        return r;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
    }

    void cuarentaCamposGuardadosYLeidosTalCual()
    {
        SesionBD sesion(bd());
        QCOMPARE(ContarCensos(bd()), 0);
        QVERIFY(!UltimoCenso(bd()));
        const RegistroCenso primero = Completo("A");
        const int id1 = AgregarCenso(bd(), primero);
        const int id2 = AgregarCenso(bd(), Completo("B"));
        QVERIFY(id2 > id1);
        QCOMPARE(ContarCensos(bd()), 2);

        RegistroCenso esperado = primero;
        esperado.id_censo = id1;
        esperado.torre = "2"; // a number: "02" and "2" are one tower
        QCOMPARE(*LeerCenso(bd(), id1), esperado);
        QCOMPARE(UltimoCenso(bd())->id_censo, id2);
        QCOMPARE(UltimoCenso(bd())->nom_unidad, "B O'Ñúñez 5%_\"0");
        QVERIFY(!LeerCenso(bd(), id2 + 1));

        // Each value in its own column, in the order the columns are listed.
        const QStringList fila = carpeta->consultar(
            "SELECT " + ColumnasCenso().join(',') + " FROM censos WHERE id_censo = ?", {id1});
        QStringList textos = TextosCenso(primero);
        textos[2] = "2";
        QCOMPARE(fila, QStringList{textos.join('|')});
        const QStringList porNombre{
            primero.nom_unidad,         primero.residentes[0].ape2, primero.residentes[4].tipo_usu,
            primero.vehiculos[0].placa, primero.vehiculos[4].tipo,  primero.notas};
        QCOMPARE(carpeta->consultar("SELECT nom_unidad, ape2_1, tipo_usu5, veh_placa1, veh_tipo5, "
                                    "notas FROM censos WHERE id_censo = ?",
                                    {id1}),
                 QStringList{porNombre.join('|')});
    }

    void torreVaciaEsNulaYOtroTextoQuedaComoSeEscribio()
    {
        SesionBD sesion(bd());
        RegistroCenso r = CensoDeTextos({"Unidad", "101"});
        const int vacia = AgregarCenso(bd(), r);
        r.torre = "B";
        const int letra = AgregarCenso(bd(), r);
        QCOMPARE(carpeta->consultar("SELECT torre, notas FROM censos ORDER BY id_censo"),
                 (QStringList{"NULL|", "B|"}));
        QVERIFY(LeerCenso(bd(), vacia)->torre.isEmpty());
        QCOMPARE(LeerCenso(bd(), letra)->torre, "B");
    }

    void modificarYEliminarDicenSiElRegistroSeguiaAhi()
    {
        SesionBD sesion(bd());
        const int id = AgregarCenso(bd(), Completo("A"));
        const RegistroCenso leido = *LeerCenso(bd(), id);
        RegistroCenso nuevo = leido;
        nuevo.notas = "Nueva nota";

        // Another terminal changed it since it was read: nothing is written.
        carpeta->ejecutarSql("UPDATE censos SET nom_unidad = 'Otra' WHERE id_censo = ?", {id});
        RegistroCenso releido;
        QCOMPARE(ModificarCensoLeido(bd(), leido, nuevo, &releido), ResultadoGuardar::Cambiado);
        QCOMPARE(LeerCenso(bd(), id)->notas, leido.notas);
        QCOMPARE(releido.nom_unidad, "Otra");

        QCOMPARE(ModificarCensoLeido(bd(), releido, nuevo), ResultadoGuardar::Guardado);
        QCOMPARE(*LeerCenso(bd(), id), (RegistroCenso{nuevo}));

        QVERIFY(ModificarCenso(bd(), id, leido));
        QVERIFY(EliminarCenso(bd(), id));
        QCOMPARE(ContarCensos(bd()), 0);
        // Deleted elsewhere: nothing is saved and nothing comes back.
        QVERIFY(!EliminarCenso(bd(), id));
        QVERIFY(!ModificarCenso(bd(), id, leido));
        QCOMPARE(ModificarCensoLeido(bd(), leido, nuevo), ResultadoGuardar::NoExiste);
        QCOMPARE(ContarCensos(bd()), 0);
    }
};

QTEST_MAIN(PruebaCenso)
#include "tst_censo.moc"
