#include "app/app_state.h"

namespace lanxi {

AppState& App() {
    static AppState state;
    return state;
}

void ResetAppState() {
    App() = AppState{};
}

} // namespace lanxi
