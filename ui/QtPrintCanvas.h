#pragma once
// The page printer's surface on a QPrinter (a real printer or a PDF file).

#include <QFont>
#include <QImage>
#include <QPainter>

#include "documents/PagePrinter.h"

class QPrinter;
class QWidget;

class TQtPrintCanvas : public ITextCanvas {
 public:
  // Begins painting on the printer; `printLogo` and `pagePicture` may be null.
  TQtPrintCanvas(QPrinter& printer, const QImage& printLogo = {}, const QImage& pagePicture = {});
  ~TQtPrintCanvas() override;
  bool IsActive() const { return painter_.isActive(); }

  int PageWidth() const override;
  int PageHeight() const override;
  int TextWidth(const std::string& text) const override;
  int TextHeight(const std::string& text) const override;
  void DrawText(int x, int y, const std::string& text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void SetFontSize(int points) override;
  int FontSize() const override { return font_.pointSize(); }
  void SetBold(bool bold) override;
  void NewPage() override;
  void DrawPrintLogo(int right, int top, int height) override;
  void DrawPagePicture(int centreX, int centreY, int width) override;
  // A graph area drawn at about 800 units across the text, so that the
  // graph's pixel sizes (margins, fonts) read as on the screen.
  std::unique_ptr<IGraphCanvas> GraphArea(int x, int y, int width, int height) override;
  void EndJob() override;
  void AbortJob() override;

 private:
  QPrinter& printer_;
  QPainter painter_;
  QFont font_;
  QImage printLogo_;
  QImage pagePicture_;
};

// The print dialogue, captioned "Tisk"; false when cancelled.
bool AskPrinter(QPrinter& printer, QWidget* parent);
// The pages chosen in the print dialogue, or 1..999 when none were chosen.
void ChosenPages(const QPrinter& printer, int& first, int& last);
// False, after saying "Tisk se nepodařilo zahájit.", when the canvas could
// not begin on its printer.
bool PrintStarted(const TQtPrintCanvas& canvas);
