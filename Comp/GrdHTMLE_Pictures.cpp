// Cached and named pictures of the mark-up: URL pictures load once into the caller's cache, named ones
// come from the picture container; a picture that cannot be loaded stays empty and is left out.
#include "GrdHTMLE_Render.h"
#include "PictureContainer.h"

namespace GrdHTMLE {

using PictureContainer::THTMLPicture;

void TRenderer::FindNamedPicture(const AnsiString& Source, TInlinePicture& Picture) {
    THTMLPicture* found = nullptr;
    if (Source.find("://") != AnsiString::npos) {
        if (!PictureCache) return;
        found = PictureCache->FindPicture(Source);
        if (!found) {
            found = PictureCache->AddPicture();
            found->SetAsynchronous(false);
            try {
                found->LoadFromURL(Source);
            } catch (const Exception&) {
                // Left empty: the picture is skipped, as one that cannot be found.
            }
        }
    } else if (Source.find(':') == AnsiString::npos) {
        if (!Pictures) return;
        found = Pictures->FindPicture(Source);
    }
    if (!found || found->Empty()) return;
    Picture.Kind = TInlinePicture::pkGraphic;
    Picture.Picture = found;
    Picture.Width = found->GetDisplayWidth();
    Picture.Height = found->GetDisplayHeight();
}

void TRenderer::DrawNamedPicture(const TInlinePicture& Picture, Integer Left, Integer Top) {
    THTMLPicture* picture = Picture.Picture;
    if (Picture.Stretched) {
        picture->SetStretch(true);
        Canvas->StretchDraw(TRect(Left, Top, Left + Picture.Width, Top + Picture.Height), picture);
        return;
    }
    picture->SetStretch(false);
    // Frames of an animated picture are drawn over the cell's own colour, so they do not pile up.
    if (picture->GetFrameCount() > 1) {
        const TColor brush = BrushOrNone();
        const TColor pen = Canvas->Pen()->Color();
        SetBrush(EntryBrush);
        Canvas->Pen()->SetColor(EntryBrush);
        Canvas->Rectangle(TRect(Left, Top, Left + Picture.Width, Top + Picture.Height));
        SetBrush(brush);
        Canvas->Pen()->SetColor(pen);
    }
    Canvas->Draw(Left, Top, picture);
}

void TRenderer::TileBackground(const AnsiString& Source) {
    TInlinePicture picture;
    FindNamedPicture(Source, picture);
    // An empty display size would never step across the rectangle.
    if (picture.Kind != TInlinePicture::pkGraphic || picture.Width < 1 || picture.Height < 1) return;
    picture.Picture->SetStretch(false);
    const HDC dc = Canvas->Handle();
    const HRGN saved = CreateRectRgn(0, 0, 0, 0);
    const bool hadClip = GetClipRgn(dc, saved) == 1;
    IntersectClipRect(dc, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    for (Integer y = Rect.Top; y < Rect.Bottom; y += picture.Height)
        for (Integer x = Rect.Left; x < Rect.Right; x += picture.Width) Canvas->Draw(x, y, picture.Picture);
    SelectClipRgn(Canvas->Handle(), hadClip ? saved : nullptr);
    DeleteObject(saved);
}

}  // namespace GrdHTMLE
