// A facility through an exchange file: written from the demo data, read back under new ids, and every file
// that does not fit the data file refused before anything is written. How the file format is read is the
// reader's test, below.
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"
#include "exchange/adoxmlreader.h"
#include "exchange/facilityexchange.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::exchange;

namespace {

class FacilityExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDemoData());
        ASSERT_TRUE(exportFacility(folder.workspace(), 2, exported).isEmpty());
        recorder.clear();
    }

    QString read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString write(const QString& text, const char* name = "bestand.xml") const
    {
        const QString path = folder.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }
    // The exported file without a field: its schema entry and its values.
    QString without(const char* field) const
    {
        QString text = read(exported);
        text.remove(QRegularExpression(
            QStringLiteral("<s:AttributeType name='%1'.*?</s:AttributeType>\\s*").arg(QLatin1String(field)),
            QRegularExpression::DotMatchesEverythingOption));
        text.remove(QRegularExpression(QStringLiteral(" %1='[^']*'").arg(QLatin1String(field))));
        return text;
    }
    QStringList rows(const QString& sql, const QVariantList& params = {})
    {
        return test::queryRows(*folder.workspace().dataDatabase(), sql, params);
    }
    // The facility's rows without their ids and references to them.
    QStringList contents(qint64 id)
    {
        return rows(QStringLiteral(
                        "SELECT strRIVMnr, intCL_REF, dtmAanvangNazorg, sngRapEvalMin, sngOnvoorzien, "
                        "memStandaardExportDir FROM tblStort WHERE idrStort_ID = ?"),
                    {id}) +
               rows(QStringLiteral(
                        "SELECT intKalJaar, lngTonnage FROM tblTonnage WHERE lngStort_REF = ? ORDER BY 1"),
                    {id}) +
               rows(QStringLiteral(
                        "SELECT i.strObject, i.bytObjectCat_REF, a.strAct, a.lngClitem_REF, a.bytIsTALVO, "
                        "a.sngKostenPE, a.strEenheid, a.dtmMut FROM tblAct a JOIN tblInrichting i ON "
                        "i.idrInrichting_ID = a.lngInrichting_REF WHERE a.lngStort_REF = ? AND "
                        "i.lngStort_REF = ? ORDER BY i.idrInrichting_ID, a.idrAct_ID"),
                    {id, id});
    }
    QByteArray dataFileHash()
    {
        QFile file(folder.workspace().dataFilePath());
        return file.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }
    ImportOutcome import(const QString& path, const QString& name = QStringLiteral("Kopie"))
    {
        return importFacility(folder.workspace(), path, [name](const QString&) { return name; });
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    const QString exported = folder.filePath(QStringLiteral("vlagheide.xml"));
};

// Into the same data file: the name is taken, so a new one is asked; the copy has new ids throughout and
// the same rows, its cost items in the same order, also when they are not grouped by provision, and so the
// same target capital to the last bit; exported again it gives the same file apart from ids and name.
TEST_F(FacilityExchangeTest, RoundTripGivesTheSameRowsUnderNewIds)
{
    ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QStringLiteral(
        "UPDATE tblAct SET lngInrichting_REF = (SELECT max(lngInrichting_REF) FROM tblAct WHERE "
        "lngStort_REF = 2) WHERE idrAct_ID = (SELECT min(idrAct_ID) FROM tblAct WHERE lngStort_REF = 2)")));
    ASSERT_TRUE(exportFacility(folder.workspace(), 2, exported).isEmpty());
    const auto itemsAndCapital = [this](qint64 id) {
        TargetCapitalInputs inputs;
        EXPECT_TRUE(readTargetCapitalInputs(folder.workspace(), long(id), inputs));
        const TargetCapital figures = computeTargetCapital(inputs);
        return rows(QStringLiteral(
                        "SELECT a.strAct, i.strObject FROM tblAct a JOIN tblInrichting i ON "
                        "i.idrInrichting_ID = a.lngInrichting_REF WHERE a.lngStort_REF = ? ORDER BY "
                        "a.idrAct_ID"),
                    {id}) +
               QStringList{QString::number(TargetCapitalSums(inputs, figures).metRisicoFonds(), 'f')};
    };
    QStringList asked;
    const ImportOutcome outcome =
        importFacility(folder.workspace(), exported, [&asked](const QString& taken) {
            asked.append(taken);
            return QStringLiteral("Vlagheide (kopie)");
        });
    ASSERT_EQ(outcome.status, ImportOutcome::Status::Imported) << outcome.error.toStdString();
    EXPECT_EQ(asked, QStringList{"Stortplaats Vlagheide"});
    EXPECT_GT(outcome.facilityId, 3);
    EXPECT_EQ(contents(outcome.facilityId), contents(2));
    EXPECT_EQ(itemsAndCapital(outcome.facilityId), itemsAndCapital(2));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();

    const QString again = folder.filePath(QStringLiteral("kopie.xml"));
    ASSERT_TRUE(exportFacility(folder.workspace(), outcome.facilityId, again).isEmpty());
    const auto withoutIds = [](QString text) {
        text.remove(QRegularExpression(QStringLiteral(" (idr\\w+|lng(Stort|Inrichting)_REF)='\\d+'")));
        return text.replace(QStringLiteral("Vlagheide (kopie)"), QStringLiteral("Stortplaats Vlagheide"));
    };
    EXPECT_EQ(withoutIds(read(again)), withoutIds(read(exported)));
}

// The file written for the demo depot, byte for byte (it also seeds the reader's fuzzing).
TEST_F(FacilityExchangeTest, ExportOfTheDemoDepotIsTheKnownFile)
{
    const QString path = folder.filePath(QStringLiteral("depot.xml"));
    ASSERT_TRUE(exportFacility(folder.workspace(), 3, path).isEmpty());
    EXPECT_EQ(read(path), read(QStringLiteral(DOVRA_TEST_DATA_DIR "/exchange/export-demo-3.xml")));
}

// The name question: a taken name asks again, 51 characters are refused and 50 accepted; an empty answer
// imports nothing.
TEST_F(FacilityExchangeTest, NameQuestionTakesAtMostFiftyCharacters)
{
    const QString fifty(50, u'x');
    recorder.answerNextInput(QString(51, u'x'));
    recorder.answerNextInput(fifty);
    EXPECT_EQ(askImportName(QStringLiteral("Stortplaats Vlagheide")), fifty);
    EXPECT_EQ(
        recorder.texts(),
        QStringList(
            {"De naam 'Stortplaats Vlagheide' komt reeds voor in uw databestand.\nVoer een andere naam in.",
             "De lengte van de naam mag maximaal 50 tekens bedragen. U heeft 51 tekens ingevoerd.\nVoer "
             "een kortere naam in."}));
    const QByteArray before = dataFileHash();
    EXPECT_EQ(import(exported, QString()).status, ImportOutcome::Status::Cancelled);
    EXPECT_EQ(dataFileHash(), before);
}

// Columns the file lacks: the aftercare start from the year of intJaarNazorg, the unforeseen percentage 0
// after its message, the others with a default of their own silently.
TEST_F(FacilityExchangeTest, MissingColumnsTakeTheirDefaults)
{
    QString text = without("dtmAanvangNazorg");
    text.replace(QRegularExpression(QStringLiteral("intJaarNazorg='\\d+'")),
                 QStringLiteral("intJaarNazorg='2015'"));
    ImportOutcome outcome = import(write(text));
    ASSERT_EQ(outcome.status, ImportOutcome::Status::Imported) << outcome.error.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT dtmAanvangNazorg FROM tblStort WHERE idrStort_ID = ?"),
                   {qint64(outcome.facilityId)}),
              QStringList{"2015-01-01"});
    EXPECT_TRUE(recorder.recorded().isEmpty());

    outcome = import(write(without("sngOnvoorzien")), QStringLiteral("Zonder onvoorzien"));
    ASSERT_EQ(outcome.status, ImportOutcome::Status::Imported) << outcome.error.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT sngOnvoorzien FROM tblStort WHERE idrStort_ID = ?"),
                   {qint64(outcome.facilityId)}),
              QStringList{"0"});
    EXPECT_EQ(recorder.titles(), QStringList{"Ontbrekend veld in importbestand"});
    EXPECT_EQ(recorder.texts(),
              QStringList{"Het veld 'sngOnvoorzien' bestaat niet in de geïmporteerde dataset. Er "
                          "zal een waarde 0 worden ingevuld in dit veld."});
}

// Files that do not fit the data file are refused whole, the data file left byte for byte as it was.
TEST_F(FacilityExchangeTest, RefusedFilesChangeNothing)
{
    const QString text = read(exported);
    const qsizetype half = text.indexOf(QStringLiteral("strAct='Doorspuiten"));
    const std::pair<QString, const char*> cases[] = {
        {text.left(half), "regel"},
        {QString(text).replace(QStringLiteral("bytProv_REF='70'"), QStringLiteral("bytProv_REF='300'")),
         "de waarde '300' van veld 'bytProv_REF' is geen geheel getal van 0 tot en met 255"},
        // A file that declares a byte column as a long: its value is checked against the data file's column.
        {QString(text)
             .replace(
                 QRegularExpression(QStringLiteral("(<s:AttributeType name='bytProv_REF'[^/]*dt:type=')ui1")),
                 QStringLiteral("\\1int"))
             .replace(QStringLiteral("bytProv_REF='70'"), QStringLiteral("bytProv_REF='300'")),
         "tblStort, rij 1: de waarde '300' van het veld 'bytProv_REF' is geen geheel getal van 0 tot en met "
         "255."},
        {QString(text).replace(QStringLiteral("strEenheid='m2'"),
                               QStringLiteral("strEenheid='%1'").arg(QString(51, u'm'))),
         "van het veld 'strEenheid' is langer dan 50 tekens."},
        {QString(text).replace(QStringLiteral("intStortType='1'"),
                               QStringLiteral("intStortType='stortplaats'")),
         "stortplaats"},
        {QStringLiteral("<!DOCTYPE xml [<!ENTITY x 'y'>]>") + text, "DTD"}};
    const QByteArray before = dataFileHash();
    for (const auto& [file, shows] : cases) {
        const ImportOutcome outcome = import(write(file));
        EXPECT_EQ(outcome.status, ImportOutcome::Status::Failed) << shows;
        EXPECT_TRUE(outcome.error.contains(QLatin1String(shows))) << outcome.error.toStdString();
    }
    EXPECT_EQ(dataFileHash(), before);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM tblStort")), QStringList{"3"});
}

// Export replaces an existing file only once the new one is complete.
TEST_F(FacilityExchangeTest, ExportReplacesAnExistingFile)
{
    const QString path = write(QStringLiteral("oud"), "bestaand.xml");
    ASSERT_TRUE(exportFacility(folder.workspace(), 1, path).isEmpty());
    EXPECT_TRUE(read(path).contains(u"Stortplaats De Kragge"));
    EXPECT_FALSE(
        exportFacility(folder.workspace(), 1, folder.filePath(QStringLiteral("geen/map.xml"))).isEmpty());
    EXPECT_FALSE(exportFacility(folder.workspace(), 99, path).isEmpty());
    EXPECT_TRUE(read(path).contains(u"Stortplaats De Kragge"));
}

// --- reading exchange files in the XML persistence format of ADO record sets: each sample file in
// tests/data/exchange against a compact dump of what it gave (fields with their types and properties,
// chapters, rows with their typed values and child rows) or against the refusal it gave ---

QString typeName(FieldType type)
{
    static const char* const names[] = {"string", "ui1",      "i2",      "i4",      "i8",      "r4",
                                        "r8",     "currency", "numeric", "boolean", "dateTime"};
    return QString::fromLatin1(names[int(type)]);
}

// name:type, the attribute when it differs, then the properties that differ from their defaults.
QString fieldText(const Field& f)
{
    QStringList properties;
    if (f.attribute != f.name)
        properties << u'@' + f.attribute;
    const std::pair<int, const char*> counts[] = {
        {f.maxLength, "len"}, {f.precision, "prec"}, {f.scale, "scale"}};
    for (const auto& [value, label] : counts) {
        if (value != 0)
            properties << QString::fromLatin1(label) + u'=' + QString::number(value);
    }
    const bool flags[] = {f.longData,      !f.nullable,     !f.maybeNull, f.fixedLength,
                          !f.writeUnknown, f.autoIncrement, f.keyColumn};
    const char* const labels[] = {"long",           "notnull", "notmaybenull", "fixed",
                                  "nowriteunknown", "auto",    "key"};
    for (int k = 0; k < 7; ++k) {
        if (flags[k])
            properties << QString::fromLatin1(labels[k]);
    }
    if (!f.baseTable.isEmpty() || !f.baseColumn.isEmpty())
        properties << f.baseTable + u'.' + f.baseColumn;
    const QString text = f.name + u':' + typeName(f.type);
    return properties.isEmpty() ? text : text + u'(' + properties.join(u',') + u')';
}

QString schemaText(const RecordSet& set)
{
    QStringList parts;
    for (const Field& field : set.fields)
        parts << fieldText(field);
    for (std::size_t i = 0; i < set.chapters.size(); ++i) {
        const Chapter& c = set.chapters[i];
        parts << c.name + u'(' + c.parentField + u'>' + c.childField + u")" + u'{' +
                     schemaText(set.chapterSchemas[i]) + u'}';
    }
    return parts.join(u' ');
}

// The value's type and text, a text quoted; Null as -.
QString valueText(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("-");
    if (v.typeId() == QMetaType::QString)
        return u'\'' + v.toString() + u'\'';
    return QString::fromLatin1(v.typeName()) + u':' + v.toString();
}

QString rowText(const Row& row, const RecordSet& set)
{
    QStringList values;
    for (const QVariant& value : row.values)
        values << valueText(value);
    QString text = values.join(u'|');
    for (std::size_t i = 0; i < row.children.size(); ++i) {
        QStringList children;
        for (const Row& child : row.children[i])
            children << rowText(child, set.chapterSchemas[i]);
        if (!children.isEmpty())
            text += u' ' + set.chapters[i].name + u'[' + children.join(u' ') + u']';
    }
    return u'(' + text + u')';
}

QString dump(const RecordSet& set)
{
    QStringList rows;
    for (const Row& row : set.rows)
        rows << rowText(row, set);
    return schemaText(set) + QStringLiteral(" / ") + rows.join(u' ');
}

QString sample(const char* name)
{
    return QStringLiteral(DOVRA_TEST_DATA_DIR "/exchange/") + QString::fromLatin1(name);
}

// The dump of what reading the file gave, or "fout: " and the refusal.
QString readText(QIODevice& device, const ReadLimits& limits)
{
    const ReadResult result = readAdoXml(device, limits);
    return result.recordSet ? dump(*result.recordSet) : QStringLiteral("fout: ") + result.error;
}

// The limits with one of them, by name, lowered to value.
ReadLimits limited(const QString& name, qint64 value)
{
    ReadLimits limits;
    const std::pair<const char*, qint64 ReadLimits::*> members[] = {
        {"maxRows", &ReadLimits::maxRows},
        {"maxAttributeLength", &ReadLimits::maxAttributeLength},
        {"maxValues", &ReadLimits::maxValues},
        {"maxBytes", &ReadLimits::maxBytes}};
    for (const auto& [label, member] : members)
        if (name == QLatin1String(label))
            limits.*member = value;
    return limits;
}

// A device that can only be read front to back, like a pipe: its size is not known in advance.
class SequentialBuffer : public QBuffer
{
public:
    using QBuffer::QBuffer;
    bool isSequential() const override { return true; }
};

// Each sample file of tests/data/adoxml_samples.txt, read under its limits, against the dump of what it gave
// or its refusal: tests/golden/core/adoxml-samples.txt.
TEST(AdoXmlReader, SampleFiles)
{
    QString read;
    for (const QStringList& c : test::readCases(QStringLiteral("adoxml_samples.txt"))) {
        QFile file(sample(qPrintable(c[0])));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c[0].toStdString();
        read += c[0] + QStringLiteral(": ") + readText(file, limited(c[1], c[2].toLongLong())) + u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/adoxml-samples.txt"), read));
}

// A device of unknown size gives the same record set, and is refused as soon as it gives too much.
TEST(AdoXmlReader, SequentialDevice)
{
    QFile file(sample("chapters.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    ASSERT_TRUE(file.seek(0));
    const std::string whole = readText(file, {}).toStdString();
    SequentialBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(readText(buffer, {}).toStdString(), whole);
    SequentialBuffer again(&bytes);
    again.open(QIODevice::ReadOnly);
    EXPECT_EQ(readText(again, limited(QStringLiteral("maxBytes"), 1000)).toStdString(),
              "fout: regel 1, kolom 1: het bestand is groter dan 1000 bytes");
}

// Every sample, the inputs the fuzzer found faults with included: a record set or a refusal in the
// expected form, never both or neither.
TEST(AdoXmlReader, EverySampleGivesAnAnswer)
{
    const QDir dir(QStringLiteral(DOVRA_TEST_DATA_DIR "/exchange"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const ReadResult result = readAdoXml(file);
        EXPECT_NE(result.recordSet.has_value(), !result.error.isEmpty()) << name.toStdString();
        if (!result.recordSet) {
            EXPECT_TRUE(result.error.startsWith(u"regel ")) << name.toStdString();
        }
    }
}

} // namespace
