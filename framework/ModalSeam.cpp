#include "ModalSeam.h"

#include <utility>

namespace {

ModalDialogHandler g_modalDialogHandler;

} // namespace

void AfxSetModalDialogHandler(ModalDialogHandler handler) {
    g_modalDialogHandler = std::move(handler);
}

const ModalDialogHandler& AfxGetModalDialogHandler() {
    return g_modalDialogHandler;
}
