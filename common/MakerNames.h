#pragma once

#include <QLatin1StringView>

// Who makes the two programs, as the About window and the Help menu name them; the settings path uses the same
// maker's name.
namespace MakerNames {

inline constexpr QLatin1StringView CompanyName { "Brenwick Software" };
inline constexpr QLatin1StringView HomePageAddress { "https://www.brenwick.example/" };

} // namespace MakerNames
