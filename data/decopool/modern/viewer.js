/* The Modern gallery's viewer: a click on a thumbnail shows the picture
   full-screen over its page, with its caption and camera line. Arrow keys,
   the buttons and a swipe move through the folder's pictures, on into the
   folder's next or previous page; Escape closes. Without script the
   thumbnails lead to the image pages, which this script gives arrow keys.
   Texts reach the page through textContent only, never as markup, and
   nothing is fetched from outside the gallery's folder. The page is
   Latin-1: letters beyond ASCII are written as \u escapes. */
(function () {
  "use strict";

  // Outside the viewer the arrow keys follow the page's own prev/next
  // links, and Escape on an image page leads up to its thumbnail page.
  function followLink(event) {
    var rel = event.key === "ArrowLeft" ? "prev" : event.key === "ArrowRight" ? "next"
      : event.key === "Escape" && document.body.classList.contains("photo") ? "up" : "";
    var link = rel && document.querySelector('a[rel~="' + rel + '"]');
    if (link) location.href = link.href;
  }

  var links = Array.prototype.slice.call(document.querySelectorAll("a[data-pic]"));
  var box = null, picture, caption, meta, count, prevButton, nextButton, current = -1, opener = null;
  var grid = document.querySelector("[data-folder-count]");
  var firstNumber = grid ? parseInt(grid.getAttribute("data-first"), 10) || 1 : 1;
  var folderCount = grid ? parseInt(grid.getAttribute("data-folder-count"), 10) || links.length : links.length;

  function button(className, label, text) {
    var b = document.createElement("button");
    b.type = "button";
    b.className = className;
    b.setAttribute("aria-label", label);
    b.textContent = text;
    return b;
  }

  function build() {
    box = document.createElement("div");
    box.className = "lightbox";
    box.hidden = true;
    box.setAttribute("role", "dialog");
    box.setAttribute("aria-modal", "true");
    box.setAttribute("aria-label", "Bildansicht");
    var figure = document.createElement("figure");
    picture = document.createElement("img");
    picture.decoding = "async";
    var text = document.createElement("figcaption");
    caption = document.createElement("span");
    caption.className = "lb-caption";
    meta = document.createElement("span");
    meta.className = "lb-meta";
    count = document.createElement("span");
    count.className = "lb-count";
    text.appendChild(caption);
    text.appendChild(meta);
    text.appendChild(count);
    figure.appendChild(picture);
    figure.appendChild(text);
    prevButton = button("lb-prev", "Vorheriges Bild", "\u2039");
    nextButton = button("lb-next", "N\u00e4chstes Bild", "\u203a");
    var closeButton = button("lb-close", "Schlie\u00dfen", "\u00d7");
    box.appendChild(figure);
    box.appendChild(prevButton);
    box.appendChild(nextButton);
    box.appendChild(closeButton);
    prevButton.addEventListener("click", function () { step(-1); });
    nextButton.addEventListener("click", function () { step(1); });
    closeButton.addEventListener("click", close);
    picture.addEventListener("click", function () { step(1); });
    swipe(box);
    document.body.appendChild(box);
  }

  // A horizontal swipe of at least 40 pixels that is more sideways than
  // up or down moves on; a tap is left to the click handlers.
  function swipe(element) {
    var x = 0, y = 0;
    element.addEventListener("touchstart", function (e) {
      x = e.changedTouches[0].clientX;
      y = e.changedTouches[0].clientY;
    }, { passive: true });
    element.addEventListener("touchend", function (e) {
      var dx = e.changedTouches[0].clientX - x, dy = e.changedTouches[0].clientY - y;
      if (Math.abs(dx) > 40 && Math.abs(dx) > Math.abs(dy)) step(dx < 0 ? 1 : -1);
    }, { passive: true });
  }

  function neighbourPage(direction) {
    return grid && grid.getAttribute(direction > 0 ? "data-next-page" : "data-prev-page");
  }

  function show(index) {
    var link = links[index];
    current = index;
    picture.removeAttribute("src");
    picture.width = parseInt(link.getAttribute("data-w"), 10) || 0;
    picture.height = parseInt(link.getAttribute("data-h"), 10) || 0;
    picture.src = link.getAttribute("data-pic");
    picture.alt = link.getAttribute("data-alt") || "";
    caption.textContent = link.getAttribute("data-caption") || "";
    meta.textContent = link.getAttribute("data-meta") || "";
    count.textContent = (firstNumber + index) + " / " + folderCount;
    prevButton.disabled = index === 0 && !neighbourPage(-1);
    nextButton.disabled = index === links.length - 1 && !neighbourPage(1);
    history.replaceState(null, "", "#bild=" + (index + 1));
    // The next picture is fetched while this one is looked at.
    if (index + 1 < links.length) new Image().src = links[index + 1].getAttribute("data-pic");
  }

  function open(index, from) {
    if (!box) build();
    opener = from || null;
    document.documentElement.classList.add("viewing");
    box.hidden = false;
    show(index);
    box.querySelector(".lb-close").focus();
  }

  function close() {
    box.hidden = true;
    current = -1;
    document.documentElement.classList.remove("viewing");
    history.replaceState(null, "", location.pathname + location.search);
    if (opener) opener.focus();
  }

  // Past the page's last (or before its first) picture the viewer goes on
  // in the folder's next (previous) page, opened there at its first (last).
  function step(direction) {
    var target = current + direction;
    if (target >= 0 && target < links.length) return show(target);
    var page = neighbourPage(direction);
    if (page) location.href = page + (direction > 0 ? "#bild=1" : "#bild=letztes");
  }

  links.forEach(function (link, index) {
    link.addEventListener("click", function (e) {
      if (e.button !== 0 || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
      e.preventDefault();
      open(index, link);
    });
  });

  document.addEventListener("keydown", function (e) {
    if (e.altKey || e.ctrlKey || e.metaKey) return;
    if (current < 0) return followLink(e);
    if (e.key === "ArrowLeft") step(-1);
    else if (e.key === "ArrowRight") step(1);
    else if (e.key === "Escape") close();
    else if (e.key === "Tab") {
      // Focus stays inside the viewer while it is open.
      var buttons = Array.prototype.filter.call(box.querySelectorAll("button"), function (b) { return !b.disabled; });
      var at = buttons.indexOf(document.activeElement);
      buttons[(at + (e.shiftKey ? buttons.length - 1 : 1)) % buttons.length].focus();
    } else return;
    e.preventDefault();
  });

  var wanted = /^#bild=(\d+|letztes)$/.exec(location.hash);
  if (wanted && links.length) {
    var number = wanted[1] === "letztes" ? links.length : Math.min(parseInt(wanted[1], 10), links.length);
    open(Math.max(number, 1) - 1, links[Math.max(number, 1) - 1]);
  }
})();
