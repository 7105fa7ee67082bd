#include "calc/clsDV.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/targetcapitalinputs.h"
#include "facility/facilityvalidation.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace dovra {

struct clsDV::Impl
{
    bool initialized = false;
    TargetCapitalInputs inputs;
    TargetCapital figures;

    TargetCapitalSums sums() const { return {inputs, figures}; }
};

clsDV::clsDV() : m_workspace(nullptr), d(std::make_unique<Impl>()) {}

clsDV::clsDV(Workspace& workspace) : m_workspace(&workspace), d(std::make_unique<Impl>()) {}

clsDV::~clsDV() = default;

bool clsDV::initializeDV(long facilityId, float interest, float inflation)
{
    TargetCapitalInputs inputs;
    const bool read = m_workspace && readTargetCapitalInputs(*m_workspace, facilityId, inputs);
    if (read) {
        if (interest != OwnRate)
            inputs.r = interest;
        if (inflation != OwnRate)
            inputs.i = inflation;
    }
    initializeDV(std::move(inputs));
    d->initialized = read;
    return read;
}

void clsDV::initializeDV(TargetCapitalInputs inputs)
{
    d = std::make_unique<Impl>();
    d->inputs = std::move(inputs);
    d->initialized = true;
}

bool clsDV::VerifyBeforeBerekening2()
{
    if (!d->initialized)
        return false;
    const TargetCapitalInputs& in = d->inputs;
    const QString title = QStringLiteral("Invoer onvolledig bij ") + in.name;
    if (!(in.surcharges.area > 0)) {
        messages().inform(
            QStringLiteral(
                "Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen nazorgfase'."),
            title, MessageIcon::Exclamation);
        return false;
    }
    if (!ValidateFacilityInput(in.costItems, GebruikGedifferentieerdeToeslagB(), in.name))
        return false;

    const QStringList posts = in.checklist.GetCombinatiePosten().split(u',', Qt::SkipEmptyParts);
    if (posts.isEmpty())
        return true;
    std::vector<double> ids;
    for (const QString& post : posts)
        ids.push_back(double(post.toLongLong()));
    bool combinationPost = false;
    bool combined = false;
    for (const StoredCostItem& item : in.costItems) {
        if (!item.values.lngClitem_REF.isEntered())
            continue;
        // Whole ids: reference 5 is no combination post when post 57 is.
        // Text in these fields is the calculation's to report; here it matches nothing.
        const double reference = std::trunc(item.values.lngClitem_REF.value());
        if (std::find(ids.begin(), ids.end(), reference) != ids.end())
            combinationPost = true;
        else if (std::trunc(item.values.bytCombineer.value()) == 1)
            combined = true;
    }
    if (combined && !combinationPost) {
        messages().inform(
            QStringLiteral("Er is gebruik gemaakt van de mogelijkheid om posten te combineren in een "
                           "combinatiepost. Er is echter geen combinatiepost in de raming "
                           "aangetroffen."),
            title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool clsDV::BerekenAlles()
{
    if (!d->initialized)
        return false;
    d->figures = computeTargetCapital(d->inputs);
    for (const Diagnostic& diagnostic : d->figures.diagnostics)
        messages().inform(diagnostic.text, diagnostic.title, diagnostic.icon);
    return d->figures.success;
}

const TargetCapitalInputs& clsDV::inputs() const
{
    return d->inputs;
}

long clsDV::facilityId() const
{
    return d->inputs.facilityId;
}

QString clsDV::facilityName() const
{
    return d->inputs.name;
}

float clsDV::rente() const
{
    return d->inputs.r;
}

float clsDV::inflatie() const
{
    return d->inputs.i;
}

float clsDV::aanvangNazorg() const
{
    return d->inputs.S;
}

int clsDV::jaarPrijspeil() const
{
    return d->inputs.P;
}

int clsDV::checklistVersion() const
{
    return d->inputs.checklist.intCl_ID();
}

double clsDV::q() const
{
    return d->figures.q;
}

float clsDV::F() const
{
    return d->figures.F;
}

int clsDV::AantalKostenposten() const
{
    return int(d->figures.items.size());
}

long clsDV::itemId(int index) const
{
    return d->figures.items.at(std::size_t(index)).id;
}

QVariant clsDV::itemFactor(int index) const
{
    return d->figures.items.at(std::size_t(index)).factor;
}

float clsDV::itemAmount(int index) const
{
    return d->figures.items.at(std::size_t(index)).amount;
}

float clsDV::itemNCW(int index) const
{
    return d->figures.items.at(std::size_t(index)).ncw;
}

QVariant clsDV::itemEersteJaar(int index) const
{
    return d->figures.items.at(std::size_t(index)).first;
}

QVariant clsDV::itemLaatsteJaar(int index) const
{
    return d->figures.items.at(std::size_t(index)).last;
}

float clsDV::subtotaalRubriek(int rubric) const
{
    return rubric >= 1 && rubric <= 6 ? d->figures.perRubric[std::size_t(rubric)] : 0;
}

float clsDV::subtotaalObjectCategorie(int category) const
{
    return category >= 1 && category <= 7 ? d->figures.perCategory[std::size_t(category)] : 0;
}

float clsDV::subtotaalHerkomst(int origin) const
{
    return origin >= 1 && origin <= 3 ? d->figures.perOrigin[std::size_t(origin)] : 0;
}

float clsDV::perpetualFactor() const
{
    return d->figures.perpetual;
}

const Toeslagen2008& clsDV::toeslagen() const
{
    return d->figures.toeslagen;
}

float clsDV::Toeslagen2008SomWaardeNCW() const
{
    return d->sums().toeslagenNCW();
}

float clsDV::sngRapEvalKostenPerJaar() const
{
    return d->figures.rapEvalPerJaar;
}

float clsDV::sngRapEvalKostenKAP() const
{
    return d->figures.rapEvalKAP;
}

float clsDV::sngCommunicatieKostenPerJaar() const
{
    return d->inputs.surcharges.communicatie;
}

float clsDV::sngCommunicatieKostenKAP() const
{
    return d->figures.communicatieKAP;
}

float clsDV::sngAppKostenBasisPerJaar() const
{
    return d->inputs.surcharges.appBasis;
}

float clsDV::sngAppKostenBasisPerc() const
{
    return d->sums().appKostenPerc();
}

float clsDV::sngAppKostenBasisKAP() const
{
    return d->figures.appBasisKAP;
}

float clsDV::sngAppKostenTotaalKAP() const
{
    return d->sums().appKostenTotaalKAP();
}

float clsDV::sngOnvoorzien() const
{
    return d->sums().onvoorzien();
}

float clsDV::sngOntwerpdirectieFixed() const
{
    return d->sums().ontwerpdirectieFixed();
}

float clsDV::sngRisicobedragKAP() const
{
    return d->inputs.surcharges.risico;
}

QString clsDV::rapRapEvalKostenCalculatie() const
{
    return d->figures.rapEvalText;
}

float clsDV::rapPercOnvoorz() const
{
    return sngOnvoorzien();
}

float clsDV::rapPercDirectievoering2002() const
{
    return sngOntwerpdirectieFixed();
}

int clsDV::rapIsTALVOCommKosten() const
{
    return d->inputs.checklist.verifyCL_CommKosten(d->inputs.surcharges.communicatie) ? 1 : 2;
}

int clsDV::rapIsTALVOAppKosten() const
{
    // The checklist holds percentages as fractions.
    const clsCL& checklist = d->inputs.checklist;
    const bool conforms = checklist.verifyCL_AppKostenBasis(d->inputs.surcharges.appBasis) &&
                          checklist.verifyCL_AppKostenPerc(sngAppKostenBasisPerc());
    return conforms ? 1 : 2;
}

int clsDV::rapIsTALVORapEval() const
{
    const FacilitySurcharges& s = d->inputs.surcharges;
    return d->inputs.checklist.verifyCL_RapEvalPerHa(int(s.optieRapEval), s.rapEvalMin, s.rapEvalPerHa,
                                                     s.rapEvalMax)
               ? 1
               : 2;
}

int clsDV::rapIsTALVOOnvoorzien() const
{
    return d->inputs.checklist.verifyCL_Onvoorzien(sngOnvoorzien()) ? 1 : 2;
}

int clsDV::rapIsTALVOOntwerpdirectieFixed() const
{
    return d->inputs.checklist.verifyCL_OntwerpdirectieFixed(sngOntwerpdirectieFixed()) ? 1 : 2;
}

bool clsDV::GebruikGedifferentieerdeToeslagB() const
{
    return d->sums().differentiated();
}

float clsDV::somA_exclOnvoorzien() const
{
    return d->sums().somA_exclOnvoorzien();
}

float clsDV::toeslagA() const
{
    return d->sums().toeslagA();
}

float clsDV::somA_inclOnvoorzien() const
{
    return d->sums().somA_inclOnvoorzien();
}

float clsDV::somB_exclDirectievoering() const
{
    return d->sums().somB_exclDirectievoering();
}

float clsDV::toeslagB() const
{
    return d->sums().toeslagB();
}

float clsDV::somB_inclDirectievoering() const
{
    return d->sums().somB_inclDirectievoering();
}

float clsDV::AppKostenVariabelKAP() const
{
    return d->sums().appKostenVariabelKAP();
}

float clsDV::somC() const
{
    return d->sums().somC();
}

float clsDV::DoelvermogenZonderRisicoFonds() const
{
    return d->sums().zonderRisicoFonds();
}

float clsDV::DoelvermogenMetRisicoFonds() const
{
    return d->sums().metRisicoFonds();
}

float clsDV::BTWbedrag(float vatPercentage) const
{
    return d->sums().btw(vatPercentage);
}

float clsDV::DoelvermogenMetRisicofonds_InclBTW(float vatPercentage) const
{
    return d->sums().metRisicoFondsInclBtw(vatPercentage);
}

float clsDV::rapTotaalPerSorteerveld(Sorteerveld field, int id) const
{
    switch (field) {
    case Sorteerveld::Rubriek:
        return subtotaalRubriek(id);
    case Sorteerveld::ObjectCategorie:
        return subtotaalObjectCategorie(id);
    case Sorteerveld::Herkomst:
        // The report groups by the conformity code 0..2; the origins are numbered from 1.
        return subtotaalHerkomst(id + 1);
    }
    return 0;
}

// The share of the target capital; none when the total is too small for a share (or 0).
std::optional<float> clsDV::shareOfTotal(float amount) const
{
    const float share = amount / DoelvermogenZonderRisicoFonds();
    return std::isfinite(share) ? std::optional<float>(share) : std::nullopt;
}

float clsDV::rapFractieVanTotaalDV(float presentValue) const
{
    return shareOfTotal(presentValue).value_or(0);
}

QString clsDV::rapPercVanDV(float amount) const
{
    const std::optional<float> share = shareOfTotal(amount);
    if (!share)
        return QStringLiteral("-");
    return QLatin1Char('(') + formats::number(double(*share), QStringLiteral("0.0%")) + QLatin1Char(')');
}

qint16 clsDV::AantalDVtabelRegels() const
{
    const qint64 rows = 3 * qint64(d->figures.items.size()) + 3 * d->inputs.provisions + 60;
    return qint16(std::min<qint64>(rows, std::numeric_limits<qint16>::max()));
}

} // namespace dovra
