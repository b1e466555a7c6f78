#pragma once

#include <functional>

struct GlobalContext;
class UserInteraction;

// The life of the window program: company selection, then login and the main menu as often as the
// user logs off and in again; leaving login goes back to company selection, and cancelling company
// selection ends the program. Returns the program's exit code.
class CicloPrograma {
public:
    CicloPrograma(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}
    int executar();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
