#pragma once

class QPagedPaintDevice;

namespace lt {

struct Printout;

// Lays the printout out on the pages of a printer or a PDF writer and paints
// it: the title and band limits on the first page, the channel table in as
// many side-by-side blocks as the page's width holds, its header repeated at
// the top of every block, then the settings, and the page number at the foot
// of every page. Returns the number of pages, 0 when the device could not be
// painted on.
int PaintPrintout(const Printout& printout, QPagedPaintDevice& device);

} // namespace lt
