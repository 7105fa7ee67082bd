#include "checklist/clsCL.h"

#include "base/datatext.h"
#include "base/formats.h"
#include "checklist/checklistsystem.h"
#include "model/options.h"
#include "model/rawvalue.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QHash>
#include <QStringList>

#include <cmath>

namespace dovra {

namespace {

// Reads fields of the current row by name; the names compare without regard to case.
class RowReader
{
public:
    explicit RowReader(const Statement& row) : m_row(row)
    {
        for (int i = 0; i < row.columnCount(); ++i)
            m_columns.insert(row.columnName(i).toLower(), i);
    }

    std::optional<int> whole(const char* name) const
    {
        const int column = index(name);
        if (column < 0)
            return std::nullopt;
        const std::optional<qint64> value = m_row.integer(column);
        return value ? std::optional<int>(int(*value)) : std::nullopt;
    }
    std::optional<float> single(const char* name) const
    {
        const int column = index(name);
        if (column < 0)
            return std::nullopt;
        const std::optional<double> value = m_row.real(column);
        return value ? std::optional<float>(float(*value)) : std::nullopt;
    }
    std::optional<QString> text(const char* name) const
    {
        const int column = index(name);
        return column < 0 ? std::nullopt : m_row.text(column);
    }
    bool flag(const char* name) const
    {
        const int column = index(name);
        return column >= 0 && m_row.boolean(column).value_or(false);
    }
    QVariant value(const char* name) const
    {
        const int column = index(name);
        return column < 0 ? QVariant() : m_row.value(column);
    }

private:
    int index(const char* name) const { return m_columns.value(QString::fromLatin1(name).toLower(), -1); }

    const Statement& m_row;
    QHash<QString, int> m_columns;
};

ChecklistItemRow readItem(const RowReader& row)
{
    ChecklistItemRow item;
    item.id = long(row.whole("lngCLitem_ID").value_or(0));
    item.objectCategory = row.whole("bytObjectCat_REF");
    item.voorziening = row.text("strVoorz").value_or(QString());
    item.omschrijving = row.text("strOmschrijving").value_or(QString());
    item.rubric = row.whole("bytRubriek_REF");
    item.refDeelonderz = row.text("strRefDeelonderz");
    item.isCombinatiePost = row.flag("blnIsCombinatiePost");
    item.combinatieMogelijk = row.flag("blnCombinatieMogelijk");
    item.startJaar = row.whole("intStartJaar");
    item.startjaarEerderMag = row.flag("blnStartjaarEerderMag");
    item.startBA = row.whole("bytStartBA");
    item.eindJaar = row.whole("intEINDJAAR");
    item.optieEind = row.whole("bytOptieEind");
    item.eindBA = row.whole("bytEindBA");
    item.optieFreq = row.whole("bytOptieFreq");
    item.freqXMin = row.single("sngFreqXMin");
    item.freqXMax = row.single("sngFreqXMax");
    item.optieKosten = row.whole("bytOptieKosten");
    item.prijsPEmin = row.single("sngPrijsPEmin");
    item.prijsPEmax = row.single("sngPrijsPEmax");
    item.percInvestMin = row.single("sngPercInvestMIN");
    item.percInvestMax = row.single("sngPercInvestMAX");
    item.kostenInvestMin = row.single("sngKostenInvestMIN");
    item.kostenInvestMax = row.single("sngKostenInvestMAX");
    item.kostenTotaalMin = row.single("sngKostenTotaalMIN");
    item.kostenTotaalMax = row.single("sngKostenTotaalMAX");
    item.eenheid = row.text("strEenheid");
    item.aantalMin = row.single("sngAantalMIN");
    item.aantalMax = row.single("sngAantalMAX");
    item.typeVervangingsToeslag = row.whole("bytTypeVervangingsToeslag");
    item.toelichting = row.text("strToelichting");
    item.vtNtStartjaar = row.text("strVtNtStartjaar");
    item.vtNtEindjaar = row.text("strVtNtEindjaar");
    item.vtNtPeriodMin = row.text("strVtntPeriodMin");
    item.vtNtPeriodMax = row.text("strVtNtPeriodMax");
    item.vtNtPrijsPEmin = row.text("strVtNtPrijsPEmin");
    item.vtNtPrijsPEmax = row.text("strVtNtPrijsPEmax");
    item.voetnoot1 = row.flag("blnVoetnoot1");
    return item;
}

ChecklistVersionRow readVersion(const RowReader& row)
{
    ChecklistVersionRow version;
    version.id = row.whole("intCL_ID").value_or(0);
    version.versie = row.text("strVersie").value_or(QString());
    version.dtmCl = row.value("dtmCL");
    version.jaarPrijspeil = row.whole("intJaarPrijspeil").value_or(0);
    version.communicatieMin = row.single("sngCommunicatieMIN").value_or(0);
    version.communicatieMax = row.single("sngCommunicatieMAX").value_or(0);
    version.rapEvalPerHa = row.single("sngRapEvalPerHa").value_or(0);
    version.rapEvalMin = row.single("sngRapEvalMin").value_or(0);
    version.rapEvalMax = row.single("sngRapEvalMax").value_or(0);
    version.appKostenBasisMin = row.single("sngAppKostenBasisMIN").value_or(0);
    version.appKostenBasisMax = row.single("sngAppKostenBasisMAX").value_or(0);
    version.appKostenPerc = row.single("sngAppKostenPerc").value_or(0);
    version.onvoorzien = row.single("sngOnvoorzien").value_or(0);
    version.ontwerpdirectie = row.single("sngOntwerpdirectie").value_or(0);
    version.vervangingstoeslagKleineWerken = row.single("sngVervangingstoeslagKleineWerken").value_or(0);
    version.vervangingstoeslagGroteWerkenMin = row.single("sngVervangingstoeslagGroteWerkenMin").value_or(0);
    version.vervangingstoeslagGroteWerkenMax = row.single("sngVervangingstoeslagGroteWerkenMax").value_or(0);
    return version;
}

QString text(float value)
{
    return formats::ordinaryText(value);
}

// Amounts are rounded from the single as it reads (12.345 shows as 12,35), not from its binary value,
// which may lie just below the half.
QString money(float value)
{
    return QStringLiteral("€ ") +
           formats::number(datatext::singleAsDecimal(value), QStringLiteral("#,##0.00"));
}

// The text of a range of criteria; the wording per case is passed in, the bounds are already texts.
struct RangeWording
{
    QString onlyMin;
    QString onlyMax;
    QString equal;
    QString between;
};

QString rangeText(std::optional<float> min, std::optional<float> max, const RangeWording& wording)
{
    if (min && !max)
        return wording.onlyMin;
    if (max && !min)
        return wording.onlyMax;
    if (min && max)
        return *min == *max ? wording.equal : wording.between;
    return QStringLiteral("onderbouwen o.b.v. nazorgplan");
}

std::optional<float> typical(std::optional<float> min, std::optional<float> max)
{
    if (min && max)
        return (*min + *max) / 2;
    return max ? max : min;
}

QString yearText(std::optional<int> reference, std::optional<int> year, bool earlierAllowed)
{
    const QString earlier = earlierAllowed ? QStringLiteral(" of eerder") : QString();
    if (reference == 0) {
        if (!year)
            return QStringLiteral("invoeren in nazorgjaar of kalenderjaar");
        return QString::number(*year) + QStringLiteral("e jaar na aanvang nazorg") + earlier;
    }
    if (reference == 1) {
        if (!year)
            return QStringLiteral("invoeren in jaren na aanleg bovenafdichting");
        return QString::number(*year) + QStringLiteral("e jaar na aanleg bovenafdichting") + earlier;
    }
    return {};
}

} // namespace

clsCL::clsCL(Workspace& workspace) : m_workspace(&workspace) {}

clsCL clsCL::fromRows(ChecklistVersionRow version, std::vector<ChecklistItemRow> items)
{
    clsCL checklist;
    checklist.m_versionId = version.id;
    checklist.m_version = std::move(version);
    checklist.m_items = std::move(items);
    return checklist;
}

bool clsCL::initializeCL(int intCL_ID)
{
    if (!m_workspace)
        return false;
    if (const std::shared_ptr<const clsCL> known = m_workspace->checklistVersion(intCL_ID)) {
        *this = *known;
        m_current = 0;
        return true;
    }
    if (!readFromFile(m_workspace->checklistDatabase(), intCL_ID))
        return false;
    m_workspace->keepChecklistVersion(intCL_ID, std::make_shared<const clsCL>(*this));
    return true;
}

bool clsCL::readFromFile(const std::shared_ptr<Database>& checklist, int intCL_ID)
{
    m_versionId = intCL_ID;
    m_items.clear();
    m_current = 0;
    m_version = ChecklistVersionRow();
    m_footnotes.clear();
    if (!checklist)
        return false;

    Statement items =
        checklist->prepare(QStringLiteral("SELECT * FROM tblCLitem WHERE blnActief = -1 AND intCL_REF = ?"));
    items.bind(1, intCL_ID);
    const RowReader itemReader(items);
    while (items.next())
        m_items.push_back(readItem(itemReader));

    Statement version = checklist->prepare(QStringLiteral("SELECT * FROM tblCL WHERE intCL_ID = ?"));
    version.bind(1, intCL_ID);
    if (version.next())
        m_version = readVersion(RowReader(version));

    Statement footnotes = checklist->prepare(
        QStringLiteral("SELECT strVoetnootItem, memVoetnoot FROM tblVoetnoot WHERE intCL_REF = ?"));
    footnotes.bind(1, intCL_ID);
    while (footnotes.next())
        m_footnotes.append({footnotes.text(0).value_or(QString()), footnotes.text(1).value_or(QString())});

    return items.isValid() && !items.failed() && version.isValid() && !version.failed() &&
           footnotes.isValid() && !footnotes.failed();
}

bool clsCL::checklistBestaat() const
{
    return m_workspace && dovra::checklistBestaat(*m_workspace, m_versionId);
}

void clsCL::movenext_rsCLitem()
{
    if (!EOF_rsCLitem())
        ++m_current;
}

bool clsCL::GaNaarItem(long lngCLitem_ID)
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].id == lngCLitem_ID) {
            m_current = i;
            return true;
        }
    }
    // No current item rather than a stale one, so nothing is read from another item.
    m_current = m_items.size();
    return false;
}

const ChecklistItemRow& clsCL::item() const
{
    static const ChecklistItemRow none;
    return EOF_rsCLitem() ? none : m_items[m_current];
}

QString clsCL::OmschrijvingEx() const
{
    return item().omschrijving + QStringLiteral(" (ID: ") + QString::number(item().id) + QStringLiteral(")");
}

QString clsCL::Rubriek() const
{
    return RubriekNaam(item().rubric.value_or(0));
}

QString clsCL::strStartJaarToelichting() const
{
    return yearText(item().startBA, item().startJaar, item().startjaarEerderMag);
}

QString clsCL::strEindJaarToelichting() const
{
    if (item().optieEind == EndOption::Perpetual)
        return QStringLiteral("eeuwigdurend");
    return yearText(item().eindBA, item().eindJaar, false);
}

QString clsCL::strFreqXtoelichting() const
{
    const std::optional<float> min = item().freqXMin;
    const std::optional<float> max = item().freqXMax;
    const QString minText = min ? text(*min) : QString();
    const QString maxText = max ? text(*max) : QString();
    switch (item().optieFreq.value_or(0)) {
    case FrequencyOption::OneOff:
        return QStringLiteral("eenmalige uitgave");
    case FrequencyOption::TimesPerYear: {
        const QString unit = QStringLiteral(" x per jaar");
        return rangeText(min, max,
                         {QStringLiteral("minimaal ") + minText + unit,
                          QStringLiteral("maximaal ") + maxText + unit, minText + unit,
                          minText + QStringLiteral(" - ") + maxText + unit});
    }
    case FrequencyOption::OnceEveryXYears: {
        const QString once = QStringLiteral("één keer per ");
        return rangeText(min, max,
                         {QStringLiteral("niet vaker dan één keer per ") + minText + QStringLiteral(" jaar"),
                          once + maxText + QStringLiteral(" jaar of vaker"),
                          once + minText + QStringLiteral(" jaar"),
                          once + minText + QStringLiteral(" à ") + maxText + QStringLiteral(" jaar")});
    }
    default:
        return {};
    }
}

QString clsCL::strKostenToelichting() const
{
    switch (item().optieKosten.value_or(0)) {
    case CostOption::PercentageOfInvestment: {
        const std::optional<float> min = item().percInvestMin;
        const std::optional<float> max = item().percInvestMax;
        const QString minText = min ? text(*min) : QString();
        const QString maxText = max ? text(*max) : QString();
        const QString of = QStringLiteral(" % van investering ") + item().voorziening.toLower();
        return rangeText(min, max,
                         {QStringLiteral("minimaal ") + minText + of,
                          QStringLiteral("maximaal ") + maxText + of, maxText + of,
                          minText + QStringLiteral(" - ") + maxText + of});
    }
    case CostOption::TotalAmount:
    case CostOption::PerUnit: {
        const bool perUnit = item().optieKosten == CostOption::PerUnit;
        const std::optional<float> min = perUnit ? item().prijsPEmin : item().kostenTotaalMin;
        const std::optional<float> max = perUnit ? item().prijsPEmax : item().kostenTotaalMax;
        const QString minText = min ? money(*min) : QString();
        const QString maxText = max ? money(*max) : QString();
        const QString unit =
            perUnit ? QStringLiteral(" per ") + item().eenheid.value_or(QString()) : QString();
        return rangeText(min, max,
                         {QStringLiteral("minimaal ") + minText + unit,
                          QStringLiteral("maximaal ") + maxText + unit, maxText + unit,
                          minText + QStringLiteral(" - ") + maxText + unit});
    }
    default:
        return {};
    }
}

QString clsCL::strKostenToelichtingEx() const
{
    return strKostenToelichting() + QStringLiteral("\r\n") + lblToelichtingPrijspeil();
}

QString clsCL::lblToelichtingPrijspeil() const
{
    return QStringLiteral("NB: Alle kostenposten invoeren in prijspeil ") +
           QString::number(m_version.jaarPrijspeil);
}

QString clsCL::VoetnootTekst(const std::optional<QString>& field, const QString& label) const
{
    if (!field || field->isEmpty())
        return {};
    QString result = QStringLiteral("\r\nOpmerking bij ") + label + QStringLiteral(": \r\n");
    for (const QString& part : field->split(u',')) {
        const QString key = part.trimmed();
        const auto footnote =
            std::find_if(m_footnotes.cbegin(), m_footnotes.cend(),
                         [&key](const Footnote& f) { return f.key.compare(key, Qt::CaseInsensitive) == 0; });
        if (footnote != m_footnotes.cend())
            result += QStringLiteral("~") + footnote->text + QStringLiteral("\r\n");
        else
            result += QStringLiteral("~#FOUT: Voetnoot ") + key +
                      QStringLiteral(" niet gevonden in checklistdatabase. Neem contact op met de helpdesk.");
    }
    return result;
}

QString clsCL::strVoetnotenToelichting() const
{
    const ChecklistItemRow& current = item();
    return VoetnootTekst(current.vtNtStartjaar, QStringLiteral("startjaar")) +
           VoetnootTekst(current.vtNtEindjaar, QStringLiteral("eindjaar")) +
           VoetnootTekst(current.vtNtPeriodMin, QStringLiteral("minimale periodiciteit")) +
           VoetnootTekst(current.vtNtPeriodMax, QStringLiteral("maximale periodiciteit")) +
           VoetnootTekst(current.vtNtPrijsPEmin, QStringLiteral("minimale eenheidsprijs")) +
           VoetnootTekst(current.vtNtPrijsPEmax, QStringLiteral("maximale eenheidsprijs"));
}

QString clsCL::VoetNootFasering() const
{
    if (!item().voetnoot1)
        return {};
    return QStringLiteral("Houd rekening met aanleg van bovenafdichting in meerdere fasen; invoer geschiedt "
                          "per fase (met afzonderlijke termijnen, eenheidsprijzen)");
}

std::optional<float> clsCL::AantalGEM() const
{
    return typical(item().aantalMin, item().aantalMax);
}

std::optional<float> clsCL::PrijsPEgem() const
{
    return typical(item().prijsPEmin, item().prijsPEmax);
}

std::optional<float> clsCL::InvKostenGEM() const
{
    return typical(item().kostenInvestMin, item().kostenInvestMax);
}

std::optional<float> clsCL::KostenTotaalGEM() const
{
    return typical(item().kostenTotaalMin, item().kostenTotaalMax);
}

float clsCL::InvPercGEM() const
{
    return typical(item().percInvestMin, item().percInvestMax).value_or(0);
}

std::optional<float> clsCL::freqXGEM() const
{
    // A frequency of once every 0 years would divide by zero later on.
    if (item().freqXMin == 0.0f)
        return std::nullopt;
    return typical(item().freqXMin, item().freqXMax);
}

QString clsCL::GetCombinatiePosten() const
{
    QStringList ids;
    for (const ChecklistItemRow& row : m_items) {
        if (row.isCombinatiePost)
            ids.append(QString::number(row.id));
    }
    return ids.join(u',');
}

float clsCL::sngPrijsPeilCorr(int intJaarVan, int intJaarNaar) const
{
    if (intJaarVan == intJaarNaar)
        return 1;
    std::shared_ptr<Database> checklist = m_workspace ? m_workspace->checklistDatabase() : nullptr;
    if (!checklist)
        return 1;
    const bool forward = intJaarNaar > intJaarVan;
    const int first = (forward ? intJaarVan : intJaarNaar) + 1;
    const int last = forward ? intJaarNaar : intJaarVan;
    Statement rows = checklist->prepare(QStringLiteral(
        "SELECT sngPPcorr FROM tblPPcorr WHERE intJaar >= ? AND intJaar <= ? ORDER BY intJaar"));
    rows.bind(1, first).bind(2, last);
    float factor = 1;
    while (rows.next()) {
        const float percentage = float(rows.real(0).value_or(0));
        // Kept as a single after every year, as the amounts it applies to.
        factor = float(double(factor) * (1.0 + double(percentage) / 100.0));
    }
    return forward ? factor : 1.0f / factor;
}

float clsCL::AantalHaGrens() const
{
    const float limit = (m_version.rapEvalMax - m_version.rapEvalMin) / m_version.rapEvalPerHa + 10.0f;
    // A repeating fraction such as 34.444443 is published as 34.44; the rest stays as computed. The test
    // reads the single's text at its 7 significant digits ("34.44444"): the shortest round-trip text
    // ("34.444443") would miss it.
    if (QString::number(double(limit), 'g', 7).endsWith(QLatin1String("44")))
        return float(std::round(double(limit) * 100.0) / 100.0);
    return limit;
}

int clsCL::CalcOptieRapEval(const QVariant& area) const
{
    const std::optional<float> hectares = singleValue(area);
    if (!hectares)
        return 0;
    if (*hectares < 10.0f)
        return 1;
    if (*hectares <= AantalHaGrens())
        return 2;
    return 3;
}

std::optional<long> checklistItemReference(const QVariant& lngClitem_REF)
{
    const std::optional<double> number = numericValue(lngClitem_REF);
    if (!number || *number != std::floor(*number) || std::abs(*number) > 2147483647.0)
        return std::nullopt;
    return long(*number);
}

ChecklistInfo checklistInformation(clsCL& checklist, const QVariant& lngClitem_REF, int bytIsTALVO,
                                   const ChecklistInfo& surcharge)
{
    using Kind = ChecklistInfoEntry::Kind;
    if (bytIsTALVO == Conformity::UserDefined)
        return ChecklistInfo{{Kind::Value, QStringLiteral("< dit is geen post uit de TALVO-checklist >")}} +
               surcharge;

    const std::optional<long> reference = checklistItemReference(lngClitem_REF);
    const QString referenceText = reference ? QString::number(*reference) : lngClitem_REF.toString();
    if (!reference || !checklist.GaNaarItem(*reference)) {
        return {{Kind::Error,
                 QStringLiteral("Checklistpost ") + referenceText +
                     QStringLiteral(" is niet (meer) aanwezig onder nr ") + referenceText +
                     QStringLiteral(
                         " in de checklist.Dit is het gevolg van tussentijds onderhoud van de checklist "
                         "tijdens de looptijd van het project. Deze melding komt niet voor in de "
                         "eindversie.\r\nVerwijder dit item.")}};
    }

    ChecklistInfo info;
    const auto add = [&info](Kind kind, const QString& text = {}) {
        info.append({kind, text});
    };
    add(Kind::Heading, QStringLiteral("Checklistitem-ID:"));
    add(Kind::Value, QString::number(checklist.lngCLitem_ID()));
    add(Kind::Blank);
    add(Kind::Heading, QStringLiteral("Periodiciteit:"));
    add(Kind::Value, checklist.strFreqXtoelichting());
    add(Kind::Heading, QStringLiteral("Kosten:"));
    add(Kind::Value, checklist.strKostenToelichtingEx());
    add(Kind::Blank);
    if (checklist.bytOptieFreq() == FrequencyOption::OneOff) {
        add(Kind::Heading, QStringLiteral("Jaar eenmalige uitgave:"));
        add(Kind::Value, checklist.strStartJaarToelichting());
    } else {
        add(Kind::Heading, QStringLiteral("Startjaar:"));
        add(Kind::Value, checklist.strStartJaarToelichting());
        add(Kind::Heading, QStringLiteral("Eindjaar:"));
        add(Kind::Value, checklist.strEindJaarToelichting());
    }
    if (checklist.blnIsCombinatiePost()) {
        add(Kind::Heading, QStringLiteral("Combinatie:"));
        add(Kind::Value, QStringLiteral(" Deze post is een combinatiepost."));
    }
    if (checklist.blnCombinatieMogelijk()) {
        add(Kind::Heading, QStringLiteral("Combinatie:"));
        add(Kind::Value,
            QStringLiteral(" Deze post mag u combineren met andere posten in een zgn. combinatiepost."));
    }
    info += surcharge;
    add(Kind::Heading, QStringLiteral("Toelichting:"));
    add(Kind::Value, checklist.Toelichting().value_or(QStringLiteral("..")));
    add(Kind::Heading, QStringLiteral("Referentie deelonderzoek:"));
    add(Kind::Value, checklist.RefDeelonderz().value_or(QStringLiteral("..")));
    for (const QString& small : {checklist.strVoetnotenToelichting(), checklist.VoetNootFasering()}) {
        if (!small.isEmpty())
            add(Kind::Small, small);
    }
    return info;
}

bool clsCL::GebruikGedifferentieerdeToeslagB(Workspace& workspace, int versionId)
{
    std::shared_ptr<Database> checklist = workspace.checklistDatabase();
    if (!checklist)
        return false;
    Statement version =
        checklist->prepare(QStringLiteral("SELECT sngOntwerpdirectie FROM tblCL WHERE intCL_ID = ?"));
    version.bind(1, versionId);
    return version.next() && float(version.real(0).value_or(0)) == PerItemSurcharges;
}

} // namespace dovra
