// The render worker's side of folivex-office (see RenderWorker): started by
// a host as `folivex-office --render-worker --application APP --path PATH`
// with its socket as descriptor 3. It loads the document, sends its layout
// and then renders the pictures it is asked for until the host goes away.
// Never returns.
#pragma once

namespace folivex::office {

[[noreturn]] void RunRenderWorker(int argc, char **argv);

} // namespace folivex::office
