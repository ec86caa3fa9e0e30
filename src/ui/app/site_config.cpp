#include "app/site_config.h"

#include "build_config.h"

namespace vantrel {

SiteConfig SiteConfig::compiledIn() {
    return SiteConfig{QStringLiteral(VANTREL_SITE_HOST), QStringLiteral(VANTREL_SITE_NAME),
                      QStringLiteral(VANTREL_PROMO_URL), QStringLiteral(VANTREL_CONTACT)};
}

}  // namespace vantrel
