// The cell checker's published properties.
#include "grdcheck.h"

namespace grdcheck {

namespace {

void PublishRAdeRedeviDidiCheck(TPublisher& p) {
    TPublishOf<RAdeRedeviDidiCheck> P(p);
    P.Bool("AutoCorrect", &RAdeRedeviDidiCheck::AutoCorrect, &RAdeRedeviDidiCheck::SetAutoCorrect);
    P.Bool("AutoCheck", &RAdeRedeviDidiCheck::AutoCheck, &RAdeRedeviDidiCheck::SetAutoCheck);
}

}  // namespace

VCL_IMPLEMENT_CLASS(RAdeRedeviDidiCheck, VCL_CREATOR(RAdeRedeviDidiCheck), &PublishRAdeRedeviDidiCheck)

}  // namespace grdcheck
