// The web host's calls out of WebAssembly (platform/host/web/page_bridge.h),
// linked with --js-library. Each hands on to Module.page, the object that the
// page's script (programs/web/page/bridge.js) gives the program before it
// starts; this file only moves values between C's memory and JavaScript.
mergeInto(LibraryManager.library, {
  mub_page_resources_size: function () {
    return Module.page.resources.length;
  },

  mub_page_resources_copy: function (bytes) {
    HEAPU8.set(Module.page.resources, bytes);
    Module.page.resources = null;
  },

  mub_page_start_failed: function (utf8) {
    Module.page.startFailed(UTF8ToString(utf8));
  },

  mub_page_now: function () {
    return Module.page.now();
  },

  // Listed in ASYNCIFY_IMPORTS: the program's stack is unwound while the
  // page waits, and rewound when the promise settles.
  mub_page_wait__deps: ['$Asyncify'],
  mub_page_wait: function (deadline) {
    return Asyncify.handleSleep(function (wakeUp) {
      Module.page.wait(deadline).then(function () { wakeUp(); });
    });
  },

  // The page names event types as HostEvent::Type does in
  // platform/core/host.h; $MubHostEventTypes (host_events.js, generated from
  // that file at build time) gives their numbers.
  mub_page_take_event__deps: ['$MubHostEventTypes'],
  mub_page_take_event: function (fields) {
    var ev = Module.page.takeEvent();
    if (!ev) return 0;
    var type = MubHostEventTypes[ev.type];
    var f = fields >> 3;
    HEAPF64[f + 0] = type === undefined ? -1 : type;
    HEAPF64[f + 1] = ev.button || 0;
    HEAPF64[f + 2] = ev.x || 0;
    HEAPF64[f + 3] = ev.y || 0;
    HEAPF64[f + 4] = ev.vk || 0;
    HEAPF64[f + 5] = ev.ch || 0;
    HEAPF64[f + 6] = ev.repeat ? 1 : 0;
    HEAPF64[f + 7] = ev.alt ? 1 : 0;
    HEAPF64[f + 8] = ev.time || 0;
    return 1;
  },

  mub_page_present: function (rgba, width, height, x, y, w, h, enlarged, k) {
    Module.page.present(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height,
      { x: x, y: y, width: w, height: h },
      enlarged ? new Uint8ClampedArray(HEAPU8.buffer, enlarged, width * height * k * k * 4) : null, k);
  },

  mub_page_set_title: function (utf8) {
    Module.page.setTitle(UTF8ToString(utf8));
  },

  mub_page_show: function (width, height) {
    Module.page.show(width, height);
  },

  mub_page_modal: function (utf8) {
    Module.page.modal(utf8 ? UTF8ToString(utf8) : null);
  },

  mub_page_tick: function () {
    Module.page.tick();
  },

  mub_page_quit: function (code) {
    Module.page.quit(code);
  },
});
