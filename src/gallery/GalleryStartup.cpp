#include "GalleryStartup.h"

#include <iostream>

#include "GalleryArguments.h"
#include "GalleryForm.h"
#include "ImagePage.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/dialogs/MessageBox.h"

int GalleryMain(const std::vector<std::string>& arguments, std::shared_ptr<TWindowSystem> windowSystem) {
  const std::optional<TGalleryArguments> parsed =
      ParseGalleryArguments({arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end()});
  if (!parsed) {
    std::cerr << GalleryUsage << '\n';
    return 2;
  }
  TApplication application(std::move(windowSystem));
  ShowExceptionsInMessageBoxes(application);
  application.Title = "zzQuenbrel Gallery";
  application.CreateForm(GalleryForm);
  if (!parsed->Page.empty() && !GalleryForm->ShowPage(parsed->Page)) {
    std::cerr << "zzQuenbrel-gallery: no page named " << parsed->Page << '\n' << GalleryUsage << '\n';
    return 2;
  }
  // A picture that cannot be read is said in the exception box; the gallery opens anyway.
  if (!parsed->Picture.empty()) application.CallHandler([&] { GalleryForm->ImagePage->LoadPicture(parsed->Picture); });
  application.Run();
  return 0;
}
