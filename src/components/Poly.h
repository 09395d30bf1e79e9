#pragma once
#include <functional>

#include "PnlImg.h"

// Raised at the end of every paint with the centre and radius it used.
using TPolyDrawEvent = std::function<void(TComponent* sender, int xc, int yc, double r)>;
// Asked for vertex i in manual mode; stores it in p, which comes in as the centre.
using TPolyPointEvent = std::function<void(TComponent* sender, int i, int xc, int yc, double r, TPoint& p)>;

// One filled polygon centred in the image panel's surface: a regular one inscribed in a
// circle of 45 % of the surface's smaller side and turned by Rotation degrees, or, in
// manual mode, one whose vertices the owner supplies. It also measures its outline, so that
// an owner can move something along it.
class TPoly : public TPnlImg {
 public:
  // More vertices than this are refused: a paint holds them all at once.
  static constexpr int MaxCount = 100000;

  explicit TPoly(TComponent* owner);

  TColor ColorBack() const { return FColorBack; }
  void SetColorBack(TColor c);
  TColor ColorBrush() const { return FColorBrush; }
  void SetColorBrush(TColor c);
  TColor ColorPen() const { return FColorPen; }
  void SetColorPen(TColor c);
  // Counts below 1 or above MaxCount are ignored.
  int Count() const { return FCount; }
  void SetCount(int count);
  bool Manual() const { return FManual; }
  void SetManual(bool manual);
  // Degrees; a value that is not finite counts as 0.
  double Rotation() const { return FRotation; }
  void SetRotation(double degrees);
  int WidthPen() const { return FWidthPen; }
  void SetWidthPen(int width);

  TPolyDrawEvent OnBeforeDraw;
  TPolyPointEvent OnGetPointValue;

  // The image panel's resize step (the surface's size, then OnResize), then the polygon on
  // the background, then OnBeforeDraw. It is also the inner panel's resize notification.
  void Draw(TComponent* Sender);
  void PanelResize(TComponent* Sender) override { Draw(Sender); }

  // The centre and radius for the current surface size.
  int ValueXc() const;
  int ValueYc() const;
  double ValueR() const;
  // Vertex i (any integer: Count is vertex 0 again), regular or from OnGetPointValue.
  TPoint PointValue(int i, int xc, int yc, double r);
  void PointValueManual(int i, int xc, int yc, double r, TPoint& p);

  // The outline, measured for the centre and radius given (from ValueXc/ValueYc/ValueR or
  // from OnBeforeDraw): the length of edge i (vertex i to the next), the perimeter, the point
  // at fraction t of the perimeter from vertex 0, and the vertex nearest to it along its edge.
  // A fraction below 0 lies behind vertex 0 on the line of edge 0; one of 1 or more wraps
  // into [0, 1); one that is not finite counts as 0.
  double ContLenI(int i, int xc, int yc, double r);
  double ContLen(int xc, int yc, double r);
  TPoint ContPoint(double t, int xc, int yc, double r);
  int ContPointGet(double t, int xc, int yc, double r);

 private:
  // Where fraction t of the perimeter lies: on edge Edge, a part Beyond of the edge before its
  // end (0 ... 1 on the edge, more behind its start).
  struct TOutlinePlace {
    int Edge = 0;
    double Beyond = 0;
  };
  TOutlinePlace Locate(double t, int xc, int yc, double r);
  int Next(int i) const { return (i + 1) % FCount; }

  TColor FColorBack = clBlack;
  TColor FColorBrush = clBlue;
  TColor FColorPen = clWhite;
  int FCount = 5;
  bool FManual = false;
  double FRotation = 0;
  int FWidthPen = 2;
};
