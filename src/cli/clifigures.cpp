#include "clifigures.h"

#include "base/formats.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/targetcapitalinputs.h"
#include "facility/clsStort.h"
#include "facility/generaldata.h"
#include "jsonwriter.h"
#include "texttable.h"

namespace dovra {

namespace {

QString euro(double amount)
{
    return formats::number(amount, QStringLiteral("€ #,##0"));
}

// Runs the checks and the calculation of the facility; false when either fails.
bool calculate(clsDV& dv, long facilityId)
{
    return dv.initializeDV(facilityId) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles();
}

// The report's text of a "shown year": a number, "nvt" or "-".
QString shownYear(const QVariant& year)
{
    if (year.isNull())
        return QString();
    if (year.typeId() == QMetaType::QString)
        return year.toString();
    return QString::number(qint64(year.toDouble()));
}

// Whole years as JSON numbers, "nvt" and "-" as strings, nothing (combined items) as null.
QVariant shownYearJson(const QVariant& year)
{
    if (year.isNull() || year.typeId() == QMetaType::QString)
        return year;
    return QVariant(year.toFloat());
}

void writeTargetCapitalJson(const clsDV& dv, float vat, JsonWriter& json)
{
    json.value(QStringLiteral("idrStort_ID"), qint64(dv.facilityId()))
        .value(QStringLiteral("strStortNaam"), dv.facilityName())
        .value(QStringLiteral("q"), dv.q())
        .value(QStringLiteral("F"), dv.F())
        .value(QStringLiteral("S"), dv.aanvangNazorg())
        .value(QStringLiteral("somA_exclOnvoorzien"), dv.somA_exclOnvoorzien())
        .value(QStringLiteral("toeslagA"), dv.toeslagA())
        .value(QStringLiteral("somA_inclOnvoorzien"), dv.somA_inclOnvoorzien())
        .value(QStringLiteral("somB_exclDirectievoering"), dv.somB_exclDirectievoering())
        .value(QStringLiteral("toeslagB"), dv.toeslagB())
        .value(QStringLiteral("somB_inclDirectievoering"), dv.somB_inclDirectievoering())
        .value(QStringLiteral("AppKostenVariabelKAP"), dv.AppKostenVariabelKAP())
        .value(QStringLiteral("sngRapEvalKostenKAP"), dv.sngRapEvalKostenKAP())
        .value(QStringLiteral("sngCommunicatieKostenKAP"), dv.sngCommunicatieKostenKAP())
        .value(QStringLiteral("sngAppKostenBasisKAP"), dv.sngAppKostenBasisKAP())
        .value(QStringLiteral("sngAppKostenTotaalKAP"), dv.sngAppKostenTotaalKAP())
        .value(QStringLiteral("somC"), dv.somC())
        .value(QStringLiteral("sngRisicobedragKAP"), dv.sngRisicobedragKAP())
        .value(QStringLiteral("DoelvermogenZonderRisicoFonds"), dv.DoelvermogenZonderRisicoFonds())
        .value(QStringLiteral("DoelvermogenMetRisicoFonds"), dv.DoelvermogenMetRisicoFonds())
        .value(QStringLiteral("BTWbedrag"), dv.BTWbedrag(vat))
        .value(QStringLiteral("DoelvermogenMetRisicofonds_InclBTW"),
               dv.DoelvermogenMetRisicofonds_InclBTW(vat))
        .value(QStringLiteral("rapRapEvalKostenCalculatie"), dv.rapRapEvalKostenCalculatie());

    json.beginObject(QStringLiteral("subtotalen")).beginArray(QStringLiteral("rubriek"));
    for (int rubric = 1; rubric <= 6; ++rubric)
        json.element(dv.subtotaalRubriek(rubric));
    json.endArray().beginArray(QStringLiteral("objectcategorie"));
    for (int category = 1; category <= 7; ++category)
        json.element(dv.subtotaalObjectCategorie(category));
    json.endArray().beginArray(QStringLiteral("herkomst"));
    for (int origin = 1; origin <= 3; ++origin)
        json.element(dv.subtotaalHerkomst(origin));
    json.endArray().endObject();

    json.beginArray(QStringLiteral("items"));
    for (int index = 0; index < dv.AantalKostenposten(); ++index) {
        json.beginObject()
            .value(QStringLiteral("idrAct_ID"), qint64(dv.itemId(index)))
            .value(QStringLiteral("factor"), dv.itemFactor(index))
            .value(QStringLiteral("ncw"), dv.itemNCW(index))
            .value(QStringLiteral("eerste"), shownYearJson(dv.itemEersteJaar(index)))
            .value(QStringLiteral("laatste"), shownYearJson(dv.itemLaatsteJaar(index)))
            .endObject();
    }
    json.endArray().beginArray(QStringLiteral("toeslagen"));
    for (const clsToeslag2008& line : dv.toeslagen()) {
        json.beginObject()
            .value(QStringLiteral("ToeslagTekst"), line.ToeslagTekst)
            .value(QStringLiteral("ToeslagWaarde"), line.ToeslagWaarde)
            .value(QStringLiteral("ToeslagWaardeNCWfactor"), line.ToeslagWaardeNCWfactor)
            .value(QStringLiteral("ToeslagWaardeNCW"), line.ToeslagWaardeNCW)
            .value(QStringLiteral("IsTALVO"), int(line.IsTALVO))
            .endObject();
    }
    json.endArray();
}

// The cost items under their column headers, in the calculation's order.
void writeCostItems(const clsDV& dv, QTextStream& out)
{
    using Align = TextTable::Align;
    TextTable table(
        {Align::Right, Align::Left, Align::Left, Align::Right, Align::Right, Align::Right, Align::Right});
    table.addRow({QStringLiteral("id"), QStringLiteral("voorziening"), QStringLiteral("kostenpost"),
                  QStringLiteral("factor"), QStringLiteral("NCW"), QStringLiteral("eerste uitgave"),
                  QStringLiteral("laatste uitgave")});
    // The calculation gives one line per stored cost item, in the order read.
    const std::vector<StoredCostItem>& items = dv.inputs().costItems;
    for (int index = 0; index < dv.AantalKostenposten(); ++index) {
        const StoredCostItem& item = items.at(std::size_t(index));
        const QVariant factor = dv.itemFactor(index);
        table.addRow({QString::number(dv.itemId(index)), item.object, item.act,
                      factor.isNull() ? QStringLiteral("-")
                                      : formats::number(factor.toDouble(), QStringLiteral("0.0000")),
                      euro(dv.itemNCW(index)), shownYear(dv.itemEersteJaar(index)),
                      shownYear(dv.itemLaatsteJaar(index))});
    }
    table.write(out);
}

void writeTargetCapitalText(const clsDV& dv, const std::optional<QDate>& aftercareStart, float vat,
                            QTextStream& out)
{
    auto line = [&out](const QString& label, const QString& value) {
        out << label << ": " << value << '\n';
    };
    line(QStringLiteral("Inrichting"),
         dv.facilityName() + QStringLiteral(" (id ") + QString::number(dv.facilityId()) + QLatin1Char(')'));
    line(QStringLiteral("Aanvang nazorg"),
         aftercareStart ? generaldata::startDateText(*aftercareStart) : QStringLiteral("-"));
    line(QStringLiteral("Prijspeil"), QString::number(dv.jaarPrijspeil()));
    line(QStringLiteral("Rente"), formats::number(dv.rente(), QStringLiteral("0.00%")));
    line(QStringLiteral("Inflatie"), formats::number(dv.inflatie(), QStringLiteral("0.00%")));
    out << '\n';
    writeCostItems(dv, out);
    out << '\n';
    line(QStringLiteral("A Jaarlijkse kosten"), euro(dv.somA_exclOnvoorzien()));
    line(QStringLiteral("Onvoorzien"), euro(dv.toeslagA()));
    line(QStringLiteral("A incl. onvoorzien"), euro(dv.somA_inclOnvoorzien()));
    line(QStringLiteral("B Vervangingskosten"), euro(dv.somB_exclDirectievoering()));
    line(QStringLiteral("Ontwerp/directie/toezicht"), euro(dv.toeslagB()));
    line(QStringLiteral("B incl. ontwerp/directie/toezicht"), euro(dv.somB_inclDirectievoering()));
    line(QStringLiteral("Rapportage/evaluatie"), euro(dv.sngRapEvalKostenKAP()) +
                                                     QStringLiteral(" (per jaar ") +
                                                     dv.rapRapEvalKostenCalculatie() + QLatin1Char(')'));
    line(QStringLiteral("Communicatie"), euro(dv.sngCommunicatieKostenKAP()));
    line(QStringLiteral("Apparaatskosten basis"), euro(dv.sngAppKostenBasisKAP()));
    line(QStringLiteral("Apparaatskosten variabel"), euro(dv.AppKostenVariabelKAP()));
    line(QStringLiteral("C Algemene nazorgkosten"), euro(dv.somC()));
    line(QStringLiteral("Risicobedrag"), euro(dv.sngRisicobedragKAP()));
    line(QStringLiteral("Doelvermogen zonder risicofonds"), euro(dv.DoelvermogenZonderRisicoFonds()));
    line(QStringLiteral("Doelvermogen met risicofonds"), euro(dv.DoelvermogenMetRisicoFonds()));
    line(QStringLiteral("BTW ") + formats::ordinaryText(vat) + QLatin1Char('%'), euro(dv.BTWbedrag(vat)));
    line(QStringLiteral("Doelvermogen incl. BTW"), euro(dv.DoelvermogenMetRisicofonds_InclBTW(vat)));
}

} // namespace

int printTargetCapital(Workspace& workspace, long facilityId, float vatPercentage, bool json,
                       QTextStream& out)
{
    auto dv = std::make_unique<clsDV>(workspace);
    const bool ok = calculate(*dv, facilityId);
    if (json) {
        // The figures are printed with their flag also after a failed calculation, for scripts that
        // want to see how far it got; they must not be used then.
        JsonWriter writer;
        writer.beginObject();
        writeTargetCapitalJson(*dv, vatPercentage, writer);
        writer.value(QStringLiteral("ok"), ok).endObject();
        out << writer.text();
    } else if (ok) {
        clsStort facility(workspace);
        const std::optional<QDate> start =
            facility.initializeStort(facilityId) ? facility.DatumAanvangNazorg() : std::nullopt;
        writeTargetCapitalText(*dv, start, vatPercentage, out);
    }
    out.flush();
    return ok ? 0 : 1;
}

int printLevy(Workspace& workspace, long facilityId, bool json, QTextStream& out)
{
    auto dv = std::make_unique<clsDV>(workspace);
    if (!calculate(*dv, facilityId))
        return 1;
    clsHeffing levy(workspace, facilityId);
    levy.psubBerekenHeffingPerTon(dv->DoelvermogenMetRisicoFonds());
    if (json) {
        JsonWriter writer;
        writer.beginObject()
            .value(QStringLiteral("ValidatieOK"), levy.ValidatieOK)
            .value(QStringLiteral("HeffingPerTon_prijspeil_tRef"), levy.HeffingPerTon_prijspeil_tRef)
            .value(QStringLiteral("sngTref"), levy.sngTref)
            .value(QStringLiteral("DVref"), levy.DVref)
            .value(QStringLiteral("sngDV"), levy.sngDV)
            .value(QStringLiteral("rapStortNamen"), levy.rapStortNamen)
            .value(QStringLiteral("intAantaljaren"), int(levy.intAantaljaren))
            .beginArray(QStringLiteral("jaren"));
        for (int i = 1; i <= levy.intAantaljaren; ++i) {
            writer.beginObject()
                .value(QStringLiteral("jaar"), qint64(levy.rapJaar(i)))
                .value(QStringLiteral("kton"), qint64(levy.rapAantalKtonPerJaar(i)))
                .value(QStringLiteral("heffingPerTon"), levy.rapHeffingPerTonInJaar(i))
                .value(QStringLiteral("heffing"), levy.rapHeffingInJaar(i))
                .value(QStringLiteral("controleDV"), levy.rapControleDV(i))
                .endObject();
        }
        writer.endArray()
            .value(QStringLiteral("rapAantalKtonTotaal"), qint64(levy.rapAantalKtonTotaal()))
            .value(QStringLiteral("rapControleDVsom"), levy.rapControleDVsom())
            .endObject();
        out << writer.text();
    } else if (levy.ValidatieOK) {
        out << "Inrichting: " << dv->facilityName() << '\n';
        if (!levy.rapStortNamen.isEmpty())
            out << "Verevening met: " << levy.rapStortNamen << '\n';
        else
            out << "Aanvang nazorg: "
                << formats::date(levy.DatumAanvangNazorg(), QStringLiteral("dd-mm-yyyy")) << '\n';
        out << "Heffing per ton (prijspeil " << levy.prijspeilJaar()
            << "): " << formats::number(levy.HeffingPerTon_prijspeil_tRef, QStringLiteral("€ #,##0.00"))
            << '\n';
        out << "Doelvermogen op peilmoment: " << euro(levy.DVref) << '\n';
        for (int i = 1; i <= levy.intAantaljaren; ++i) {
            out << levy.rapJaar(i) << '\t' << levy.rapAantalKtonPerJaar(i) << " kton\t"
                << formats::number(levy.rapHeffingPerTonInJaar(i), QStringLiteral("€ #,##0.00"))
                << " per ton\t" << euro(levy.rapHeffingInJaar(i)) << '\t' << euro(levy.rapControleDV(i))
                << '\n';
        }
        out << "Totaal: " << levy.rapAantalKtonTotaal() << " kton\t" << euro(levy.rapControleDVsom()) << '\n';
    }
    out.flush();
    return levy.ValidatieOK ? 0 : 1;
}

} // namespace dovra
