// The web edition's page: starts the C++ core, which adopts the element
// the build wrote for every control of the control map (the page's first
// paint is its final layout), hands it every edit, command,
// loaded file and paste, and shows what the window cannot: every
// candidate, the rows the estimate does not reproduce, a chart of the
// defense values that reproduce each row, each attack against the
// estimated enemy and the one to record next, the estimate handed to the
// calculator, a share link, and the state kept between visits. Every text
// it shows is the core's.
'use strict';

(function () {
  var STORE = 'torume-form';
  var OLD_STORE = 'torume-rows'; // rows only, as earlier visits kept them
  var PHONE = matchMedia('(max-width: 700px)');
  var client = document.getElementById('client');
  var core;       // the module
  var texts;      // what the notices and loads say, the core's
  var model;      // where each control stands, the rows' controls: the core's
  var lastChart;  // drawn again when the width changes
  var chartWidth = 0;
  var initialState; // not worth keeping
  var kept = '';    // the state after the last change that went through
  var keepFailing = false, tellNotKept = false;
  var phase = 'starting'; // then 'restoring' the state, then 'running'
  var STALL_MS = 15000;   // a read that brings nothing for this long is given up
  var PROGRESS_MS = 500;  // a load that takes longer shows how far it is

  function byId(id) { return document.getElementById(id); }
  // An element is looked for once while it stays in the page (a restarted
  // core makes its controls anew): an edit reads dozens.
  var found = {};
  function find(selector) {
    var element = found[selector];
    if (!element || !element.isConnected) element = found[selector] = document.querySelector(selector);
    return element;
  }
  function control(id) { return find('[data-id="' + id + '"]'); }
  function box(id) { return find('[data-box="' + id + '"]'); }
  function rowControls(r) { return model.rows[r].map(control); }
  function json(pointer) { return JSON.parse(core.UTF8ToString(pointer)); }

  // Texts travel to the core in its piece buffer, from offset on; as much
  // of the text as fits there: {read, written}.
  function putAt(text, offset) {
    var start = core._WebLoadBuffer() + (offset || 0), end = core._WebLoadBuffer() + core._WebLoadPieceSize();
    return new TextEncoder().encodeInto(text.slice(0, end - start), core.HEAPU8.subarray(start, end));
  }
  // Returns the bytes put. Names, links and causes fit.
  function putText(text, offset) { return putAt(text, offset).written; }
  // The whole text: its bytes, or -1 when it does not fit.
  function putWhole(text, offset) {
    var put = putAt(text, offset);
    return put.read < text.length ? -1 : put.written;
  }
  // A text of any length, handed to the core a piece at a time as a file
  // is: each piece is put in the piece buffer, then hand(its bytes). No
  // character is split between two pieces.
  function putPieces(text, hand) {
    var encoder = new TextEncoder(), size = core._WebLoadPieceSize();
    for (var at = 0; at < text.length;) {
      var end = Math.min(text.length, at + size), start = core._WebLoadBuffer(), last = text.charCodeAt(end - 1);
      if (end < text.length && last >= 0xD800 && last <= 0xDBFF) end--; // a pair's first half
      var put = encoder.encodeInto(text.slice(at, end), core.HEAPU8.subarray(start, start + size));
      at += put.read;
      hand(put.written);
    }
  }

  // ---- The notice: what a load, a paste, a link or an undo did, in the
  // page's flow where the player looks, so that it covers nothing, and
  // announced ----

  var announcement = {text: '', timer: 0};
  var noticeStays = false; // until closed: an edit does not take it away
  var focusBeforeNotice = null;
  // Results are announced once the player pauses, not at every character.
  function announce(text, now) {
    announcement.text = text;
    clearTimeout(announcement.timer);
    announcement.timer = setTimeout(function () {
      byId('announce').textContent = announcement.text;
    }, now ? 0 : 500);
  }
  // results: what refresh() found to announce, said after the lines. That
  // the state is not being kept is said with the next notice, which then
  // stays until it is closed, as one that offers an action does. after:
  // the element the notice then stands after, brought into view: the
  // menu's for a load, the rows' for a paste; without it a notice stays
  // where it is, or stands under the menu, out of the player's way.
  function notify(lines, results, action, onAction, after) {
    if (tellNotKept) lines = lines.concat([texts.notKept]);
    noticeStays = !!action || tellNotKept;
    tellNotKept = false;
    var notice = byId('notice'), button = byId('notice-action');
    if (after && !notice.contains(document.activeElement)) after.after(notice);
    else if (notice.hidden && !after) byId('menu').after(notice);
    byId('progress').hidden = byId('notice-estimate').hidden = true;
    byId('status').textContent = lines.join('\n');
    if (!action && document.activeElement === button) byId('notice-close').focus();
    button.hidden = !action;
    button.textContent = action || '';
    button.onclick = onAction || null;
    notice.hidden = false;
    if (after) notice.scrollIntoView({block: 'nearest'});
    announce(lines.concat(results ? [results] : []).join('\n'), true);
  }

  // Focus taken into the notice goes back where it came from when the
  // notice closes; else to what follows the notice.
  function hideNotice() {
    var notice = byId('notice'), inside = notice.contains(document.activeElement);
    notice.hidden = true;
    if (inside) {
      var back = focusBeforeNotice && focusBeforeNotice.isConnected ? focusBeforeNotice : null;
      var following = [].filter.call(document.querySelectorAll('input, select, button, a[href], textarea, summary'),
        function (e) { return e.offsetParent && notice.compareDocumentPosition(e) & Node.DOCUMENT_POSITION_FOLLOWING; });
      (back || following[0] || document.body).focus();
    }
    focusBeforeNotice = null;
  }

  // ---- Undo: every action that replaces rows or fields (a load, a paste
  // into the rows, a link, clearing) keeps the state before it, which the
  // notice's button or Ctrl+Z brings back; bringing it back can itself be
  // undone, so no edit is lost either way ----

  var swap = null; // {state: a fragment, undo: whether it is the state before the last action}
  // The action has run and the panels with it; lines say what it did, and
  // the estimate follows them, so a phone shows it with the outcome.
  // Nothing to undo when nothing changed.
  function replaced(before, lines, after, undone) {
    var results = refresh(true, true), changed = kept !== before;
    if (changed) swap = {state: before, undo: true, undone: undone || texts.undone};
    notify(lines, results, changed ? texts.linkUndo : null, changed ? swapBack : null, after);
    showEstimate(results);
  }
  function swapBack() {
    if (!core || !swap) return;
    var undoing = swap.undo, now = fragment();
    core._WebOpenFragment(putText(swap.state), 0);
    swap = {state: now, undo: !undoing, undone: swap.undone};
    var results = refresh(true, true);
    notify([undoing ? swap.undone : texts.redone], results, undoing ? texts.redo : texts.linkUndo, swapBack,
           byId('notice').hidden ? byId('menu') : null);
    showEstimate(results);
  }
  function showEstimate(results) {
    byId('notice-estimate').textContent = results;
    byId('notice-estimate').hidden = false;
  }

  // ---- Kept state ----

  function fragment() { return core.UTF8ToString(core._WebShareFragment()); }
  // Storage that refuses the state (full, or off) is told once, and tried
  // again at every change; told again only after a save went through. A
  // state that did not change is not written again: another tab may have
  // kept a newer one since.
  function save() {
    var state = fragment();
    if (state === kept && !keepFailing) return;
    kept = state;
    try {
      if (kept === initialState) localStorage.removeItem(STORE); else localStorage.setItem(STORE, kept);
      localStorage.removeItem(OLD_STORE);
      keepFailing = false;
    } catch (refused) {
      if (!keepFailing) tellNotKept = true;
      keepFailing = true;
    }
  }
  // Another tab kept a newer state: this tab goes on showing its own, and
  // the notice says that the tab changed last is the one kept, and offers
  // to open the other's state. A change here keeps this tab's state again,
  // and the other tab hears of it in turn.
  function otherTabKept(event) {
    if (!core || phase !== 'running' || event.storageArea !== localStorage || event.key !== STORE) return;
    var theirs = event.newValue || initialState;
    if (theirs === kept) {
      if (byId('status').textContent === texts.otherTabChanged) hideNotice();
      return;
    }
    notify([texts.otherTabChanged], null, texts.otherTabOpen, function () {
      if (!core) return;
      var before = fragment();
      core._WebOpenFragment(putText(theirs), 0);
      replaced(before, [texts.otherTabOpened], byId('menu'));
    });
  }
  function saved() {
    try {
      var old = localStorage.getItem(OLD_STORE);
      return localStorage.getItem(STORE) || (old ? 'rows=' + old : '');
    } catch (unavailable) { return ''; }
  }

  // ---- Commands and edits ----

  // After anything changed the controls: the analysis when the estimation
  // ran, the fields' names and unused rows, the share link, the kept
  // state, and what is announced (nothing at the start), which it returns.
  function refresh(estimated, quiet) {
    var state = json(core._WebFieldState());
    var estimate = estimated ? analyse() : null;
    // Only what differs is written: a caption written anew lays its box out
    // again, at every character typed.
    Object.keys(state.fields).forEach(function (id) {
      var name = state.fields[id].name, caption = find('[data-box="' + id + '"] .caption');
      if (control(id).getAttribute('aria-label') !== name) control(id).setAttribute('aria-label', name);
      if (caption.textContent !== state.fields[id].caption) caption.textContent = state.fields[id].caption;
    });
    for (var r = 0; r < model.rows.length; r++) {
      var unused = state.unused.indexOf(r) >= 0;
      rowControls(r).forEach(function (e) {
        if (e.parentNode.classList.contains('unused') === unused) return;
        e.parentNode.classList.toggle('unused', unused);
        if (!unused) e.removeAttribute('aria-describedby');
        else if (!e.hasAttribute('aria-describedby')) e.setAttribute('aria-describedby', 'unused-note');
      });
    }
    showIncomplete(state.incomplete);
    save();
    byId('share').href = location.pathname + location.search + '#' + kept;
    byId('share-section').hidden = false;
    labelShare();
    var results = estimate ? estimate.announcement : state.calculation;
    if (!quiet) announce(results);
    if (!quiet && tellNotKept) notify([], results);
    return results;
  }

  // Rows with a damage still waiting for their attack or power: the fields
  // to fill are marked, the hint beside the rows names them, and the
  // estimate's labels look pending rather than failed until they are in.
  function showIncomplete(rows) {
    document.querySelectorAll('#client .missing').forEach(function (e) { e.classList.remove('missing'); });
    var note = byId('incomplete-note');
    note.textContent = rows.map(function (row) { return row.hint; }).join('\n');
    note.hidden = !rows.length;
    rows.forEach(function (row) {
      row.controls.forEach(function (id) { control(id).setAttribute('aria-describedby', 'incomplete-note'); });
      row.missing.forEach(function (id) { box(id).classList.add('missing'); });
    });
    box(model.panels.estimator).classList.toggle('pending', rows.length > 0);
  }

  // A button's command, as the window's procedure runs it. The
  // estimation's own time is kept for the test.
  function command(id) {
    var start = performance.now();
    var estimated = core._WebCommand(id);
    if (estimated) document.body.dataset.estimationMs = (performance.now() - start).toFixed(3);
    refresh(estimated);
  }
  // The estimate handed to the calculator for an attribute: the panel's
  // defense and rate set and its damage computed, then everything an edit
  // brings up to date.
  function handOff(attribute) {
    if (!noticeStays) hideNotice();
    if (core._WebHandOff(attribute)) refresh(false);
  }
  // Every edit reruns its panel's command, so no result on screen is
  // older than the controls.
  // The time from an edit to the frame that shows its results is kept for
  // the test.
  function edited(target) {
    var id = +target.dataset.id, start = performance.now();
    if (!id) return;
    // The player has moved on from what the notice said, unless it stays.
    if (!noticeStays) hideNotice();
    refresh(json(core._WebEdited(id)).reran === 'estimation');
    requestAnimationFrame(function () {
      setTimeout(function () {
        document.body.dataset.editMs = (performance.now() - start).toFixed(3);
        document.body.dataset.edits = +(document.body.dataset.edits || 0) + 1;
      });
    });
  }

  // The pieces of a file, each read into one reused buffer where the
  // browser can (a byte stream's own-buffer reader): a file read in fresh
  // slices leaves its whole size in buffers for the collector to find.
  // Elsewhere, and after slices(from) from there on, slices. read()
  // promises a Uint8Array, empty at the end.
  function pieceReader(file, size) {
    var stream = null, buffer = new ArrayBuffer(size), at = 0;
    try { stream = file.stream().getReader({mode: 'byob'}); } catch (e) { stream = null; }
    var reader = {
      read: function () {
        if (!stream) {
          at += size;
          return file.slice(at - size, at).arrayBuffer().then(function (b) { return new Uint8Array(b); });
        }
        return stream.read(new Uint8Array(buffer, 0, size)).then(function (result) {
          if (result.done) return new Uint8Array(0);
          buffer = result.value.buffer;
          return result.value;
        });
      },
      slicing: function () { return !stream; },
      slices: function (from) { reader.cancel(); stream = null; at = from; },
      cancel: function () { if (stream) stream.cancel().catch(function () {}); }
    };
    return reader;
  }

  // A file is read a piece at a time into the core's piece buffer, so that
  // neither the page nor the module holds it whole; pieces that are at
  // hand at once are read in runs of at most 20 ms, and the page answers
  // between runs. A load that takes more than a moment shows how far it
  // is, and can be cancelled. A read that brings nothing for a while (a
  // browser's read of a huge file may never settle) is given up: the file
  // is then read in slices from where it stopped, and a slice that stalls
  // too fails the load. A load that fails or is cancelled leaves the rows
  // as they were; the lines it skipped are reported as torume reports
  // them, NAME:LINE: reason. A newer load supersedes one still reading.
  var loading = 0;
  function loadFile(file, name) {
    var token = ++loading, pieces = pieceReader(file, core._WebLoadPieceSize()), runStart = performance.now();
    var read = 0, attempt = 0, stallMs = +document.body.dataset.stallMs || STALL_MS;
    var progress = setTimeout(showProgress, PROGRESS_MS, true);
    name = name || file.name;
    core._WebLoadStart();
    function current() { return token === loading; }
    function showProgress(first) {
      var bar = byId('progress');
      if (!current() || !first && bar.hidden) return; // done, or another notice took its place
      var text = core.UTF8ToString(core._WebLoadProgress(read, file.size));
      if (first) notify([text], null, texts.loadCancel, cancel, byId('menu'));
      byId('status').textContent = text;
      bar.max = file.size;
      bar.value = read;
      bar.hidden = false;
    }
    function cancel() {
      if (!current()) return;
      pieces.cancel();
      giveUp(false);
    }
    function giveUp(stalled) {
      loading++;
      clearTimeout(progress);
      core._WebLoadAbandon(stalled);
      tellLoad(name, 0);
    }
    function finish(cause) {
      clearTimeout(progress);
      var before = fragment();
      tellLoad(name, core._WebLoadFinish(putText(cause)), before);
    }
    function stalled() {
      if (!current()) return;
      attempt++; // the read given up is ignored should it settle after all
      if (pieces.slicing()) {
        giveUp(true);
        return;
      }
      pieces.slices(read);
      next();
    }
    function next() {
      var mine = ++attempt, timer = setTimeout(stalled, stallMs);
      pieces.read().then(function (piece) {
        clearTimeout(timer);
        if (mine !== attempt) return;
        if (!current()) { pieces.cancel(); return; }
        if (!piece.length) { finish(''); return; }
        core.HEAPU8.set(piece, core._WebLoadBuffer());
        core._WebLoadPiece(piece.length);
        read += piece.length;
        showProgress(false);
        if (performance.now() - runStart < 20) { next(); return; }
        setTimeout(function () { runStart = performance.now(); next(); });
      }, function (error) {
        clearTimeout(timer);
        if (mine === attempt && current()) finish(String(error && error.message || error));
      });
    }
    next();
  }
  function tellLoad(name, filled, before) {
    var report = json(core._WebLoadReport(putText(name)));
    if (filled > 0) replaced(before, report.lines, byId('menu'));
    else notify(report.lines, refresh(false, true), null, null, byId('menu'));
    document.body.dataset.loads = +(document.body.dataset.loads || 0) + 1;
  }
  function loadText(text) { loadFile(new Blob([text]), texts.pastedName); }

  // A paste's or a drop's text, into a field or onto the page (field
  // null): the core reads it whole, a piece at a time, and says where it
  // goes: into the field, by the reading every entry takes; into the rows
  // (which it has filled, from the field's on, or from the first); or to
  // load as an observation file.
  function paste(text, field, start, end) {
    core._WebPasteStart(field ? +field.dataset.id : 0);
    putPieces(text, core._WebPastePiece);
    var before = fragment(), pasted = json(core._WebPasteFinish());
    if (pasted.paste === 'value') enter(field, text, start, end);
    else if (pasted.paste === 'table') replaced(before, pasted.lines, client);
    else loadText(text);
  }

  // The control a paste or a drop goes into, if any.
  function pasteTarget(target) {
    return target.closest && target.closest('#client [data-id]');
  }

  // The menu's clear: the rows and the enemy's values, for a new enemy.
  function clearTable() {
    var before = fragment();
    core._WebClearTable();
    replaced(before, [texts.cleared], byId('menu'));
  }

  // The window's save, as a download: the bytes and the name the core gives.
  function saveRows() {
    var size = core._WebSaveRows(), refusal = core.UTF8ToString(core._WebNothingToSave());
    if (!size) {
      notify([refusal], null, null, null, byId('menu'));
      return;
    }
    if (byId('status').textContent === refusal) {
      byId('status').textContent = '';
      hideNotice();
    }
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([core.HEAPU8.slice(core._WebSavedBytes(), core._WebSavedBytes() + size)],
                                             {type: 'text/plain'}));
    link.download = core.UTF8ToString(core._WebSavedName());
    link.click();
    // The download has taken the bytes by then.
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  }

  // ---- Share links ----

  // Opens a link's state. The rows kept before it stay one click away
  // when they differ; a malformed link changes nothing and says so. The
  // link is then taken off the address, so that a reload shows the
  // player's own, kept state.
  function openLink(text) {
    var mine = saved();
    var outcome = json(core._WebOpenFragment(putText(text), putText(mine, putText(text)))).outcome;
    history.replaceState(null, '', location.pathname + location.search);
    if (outcome === 'malformed') {
      notify([texts.linkMalformed], null, null, null, byId('menu'));
      return false;
    }
    if (outcome === 'opened-differs') replaced(mine, [texts.linkOpened], byId('menu'), texts.linkUndone);
    else refresh(true, false);
    return true;
  }

  function copyLink() {
    var link = byId('share').href;
    var copied = navigator.clipboard ? navigator.clipboard.writeText(link) : Promise.reject();
    var section = byId('share-section');
    copied.then(function () { notify([texts.shareCopied], null, null, null, section); },
                function () { notify([texts.shareCopyFailed], null, null, null, section); });
  }

  // ---- Entering numbers: a key, the input method, a paste or a drop
  // all hand the field's text as it would be to the core, which reads it
  // as it reads every number; the field takes the number as the core
  // writes it, or keeps its text and says why beside it ----

  // Returns whether the field took the text.
  function enter(field, text, start, end) {
    var value = field.value, before = putWhole(value.slice(0, start) + text, 0);
    var entry = json(core._WebFieldEntry(before, before < 0 ? -1 : putWhole(value.slice(end), before)));
    if (!entry.accepted) {
      refuse(field, entry.hint);
      return false;
    }
    clearHint(field);
    field.value = entry.text;
    field.setSelectionRange(entry.caret, entry.caret);
    edited(field);
    return true;
  }
  function refuse(field, hint) {
    var note = byId('entry-hint');
    note.textContent = hint;
    field.parentNode.appendChild(note);
    note.hidden = false;
    field.setAttribute('aria-invalid', 'true');
    var described = (field.getAttribute('aria-describedby') || '').replace('entry-hint', '').trim();
    field.setAttribute('aria-describedby', ('entry-hint ' + described).trim());
    announce(hint, true);
  }
  function clearHint(field) {
    if (!field.hasAttribute('aria-invalid')) return;
    field.removeAttribute('aria-invalid');
    var described = (field.getAttribute('aria-describedby') || '').replace('entry-hint', '').trim();
    if (described) field.setAttribute('aria-describedby', described); else field.removeAttribute('aria-describedby');
    byId('entry-hint').hidden = true;
  }

  function wireEntry() {
    var composing = null, pressed = null, selected = null;
    // A key typed, a word the browser offers: the browser writes what the
    // core would write; else the core's number goes in instead.
    client.addEventListener('beforeinput', function (event) {
      var field = event.target;
      if (!core || !field.matches('.edit input') || !/^insert/.test(event.inputType) ||
          event.inputType === 'insertCompositionText') return;
      var text = event.data !== null ? event.data : event.dataTransfer ? event.dataTransfer.getData('text/plain') : '';
      var start = field.selectionStart, end = field.selectionEnd, value = field.value;
      var before = putWhole(value.slice(0, start) + text, 0);
      var entry = json(core._WebFieldEntry(before, before < 0 ? -1 : putWhole(value.slice(end), before)));
      if (entry.accepted && entry.text === value.slice(0, start) + text + value.slice(end)) {
        clearHint(field);
        return;
      }
      event.preventDefault();
      enter(field, text, start, end);
    });
    // The input method's text is read once it is committed: a text that
    // is no number gives back what the field held before.
    client.addEventListener('compositionstart', function (event) {
      var field = event.target;
      if (field.matches('.edit input'))
        composing = {value: field.value, start: field.selectionStart, end: field.selectionEnd};
    });
    client.addEventListener('compositionend', function (event) {
      var field = event.target, was = composing;
      composing = null;
      if (!core || !was || !field.matches('.edit input')) return;
      var value = field.value, caret = field.selectionStart;
      field.value = was.value;
      field.setSelectionRange(was.start, was.end);
      // The committed text is what the composition put where the selection was.
      var text = value.slice(was.start, caret);
      if (!enter(field, text, was.start, was.end)) edited(field);
    });
    // Whatever went in (a deletion, a spin arrow), the core reads it; the
    // input method's text waits for its end.
    client.addEventListener('input', function (event) {
      if (!core || !event.target.matches('.edit input') || event.isComposing || composing) return;
      clearHint(event.target);
      edited(event.target);
    });
    client.addEventListener('focusout', function (event) {
      if (event.target.matches('.edit input')) clearHint(event.target);
    });
    // A field that shows 0 holds no number of the player's yet: focus
    // selects it, so what is typed or pasted replaces it, also when a
    // click put the caret beside it.
    client.addEventListener('mousedown', function (event) { pressed = event.target; });
    client.addEventListener('focusin', function (event) {
      var field = event.target;
      selected = null;
      if (!field.matches('.edit input') || field.value !== '0') return;
      field.select();
      selected = field === pressed ? field : null;
    });
    // The press that focused it put the caret where it landed: selected again.
    client.addEventListener('mouseup', function (event) {
      if (selected && event.target === selected && !composing) {
        event.preventDefault();
        selected.select();
      }
      selected = pressed = null;
    });
  }

  // On a phone (a coarse pointer, or a narrow screen) the link goes out
  // through the system's share sheet, where there is one; elsewhere, and
  // where the sheet cannot take it or fails, it is copied. A share the
  // player cancels says nothing. The button says which it does.
  var SHARE_SHEET = matchMedia('(pointer: coarse), (max-width: 700px)');
  function sheet() { return SHARE_SHEET.matches && typeof navigator.share === 'function'; }
  function labelShare() {
    var button = byId('share-copy'), label = sheet() ? texts.shareSend : texts.shareCopy;
    if (button.textContent !== label) button.textContent = label;
  }
  function shareLink() {
    var data = {url: byId('share').href, title: texts.shareTitle}, shared;
    if (!sheet() || navigator.canShare && !navigator.canShare(data)) {
      copyLink();
      return;
    }
    try { shared = Promise.resolve(navigator.share(data)); } catch (error) { shared = Promise.reject(error); }
    shared.catch(function (error) { if (!error || error.name !== 'AbortError') copyLink(); });
  }

  // ---- Beyond the window ----

  // The core hands over the parts of the analysis that changed since it
  // last did, and only they are drawn again; the others stay as shown.
  // The core's part of the analysis (the advice included) and the whole,
  // shown, are timed for the test.
  var shown = {};
  function analyse() {
    var start = performance.now();
    var pointer = core._WebAnalyse();
    document.body.dataset.coreAnalysisMs = (performance.now() - start).toFixed(3);
    var changed = json(pointer);
    Object.keys(changed).forEach(function (part) { shown[part] = changed[part]; });
    if (changed.diagnosis) showDiagnosis(changed.diagnosis);
    if (changed.use) showUse(changed.use);
    if (changed.diagnosis || changed.use) markRows(shown.diagnosis, shown.use);
    if (changed.chart) showChart(lastChart = changed.chart);
    if (changed.candidates) showCandidates(changed.candidates);
    document.body.dataset.analysisMs = (performance.now() - start).toFixed(3);
    return shown;
  }

  // Row i of a table's body shows cells (the first a header cell when
  // head): its row and cells are kept and only the texts that differ
  // written, which leaves the table's layout as it was where nothing
  // changed. cutRows drops the rows beyond count.
  function putRow(body, i, cells, className, head) {
    var tr = body.rows[i] || body.insertRow();
    if (tr.className !== className) tr.className = className;
    cells.forEach(function (text, k) {
      var cell = tr.cells[k] || (head && !k ? tr.appendChild(document.createElement('th')) : tr.insertCell());
      if (cell.textContent !== text) cell.textContent = text;
    });
  }
  function cutRows(body, count) {
    if (body.rows.length <= count) return;
    var range = document.createRange();
    range.setStartBefore(body.rows[count]);
    range.setEndAfter(body.lastChild);
    range.deleteContents();
  }

  // Each row the estimate does not reproduce is explained below the table
  // of rows.
  function diagnosisText(entry) { return entry.withoutText ? entry.text + ' ' + entry.withoutText : entry.text; }
  function showDiagnosis(diagnosis) {
    var list = byId('diagnosis');
    list.textContent = '';
    diagnosis.forEach(function (entry) {
      var item = list.appendChild(document.createElement('li'));
      item.textContent = diagnosisText(entry);
      item.dataset.row = entry.row;
    });
    byId('diagnosis-section').hidden = !diagnosis.length;
  }

  // Each attack against the estimated enemy, strongest first, and which
  // to record next; the move advised first is highlighted in the table of
  // attacks. The buttons that hand the estimate to the calculator are
  // enabled for the rates it has.
  function showUse(use) {
    var body = byId('attacks').tBodies[0];
    use.attacks.forEach(function (attack, i) { putRow(body, i, attack.cells, attack.advised ? 'advised' : ''); });
    cutRows(body, use.attacks.length);
    byId('attacks-section').hidden = !use.attacks.length;

    var lines = byId('advice-lines'), moves = byId('advice-moves');
    lines.textContent = moves.textContent = '';
    use.advice.lines.forEach(function (text) { lines.appendChild(document.createElement('p')).textContent = text; });
    use.advice.moves.forEach(function (move) {
      var item = moves.appendChild(document.createElement('li'));
      item.textContent = move.text;
      if (move.top) item.className = 'advised';
    });
    byId('advice-section').hidden = !use.advice.lines.length;
    use.handOff.forEach(function (can, attribute) { byId('handoff').children[attribute].disabled = !can; });
  }

  // The rows' fields the estimate does not reproduce are marked, and so
  // are those the move advised first uses; a field's title says why. Only
  // the marks that change are written.
  function markRows(diagnosis, use) {
    var marks = {}, top = use.advice.moves.filter(function (move) { return move.top; }).map(function (move) {
      return move.text;
    });
    diagnosis.forEach(function (entry) {
      model.rows[entry.row - 1].forEach(function (id) {
        marks[id] = {unreproduced: true, titles: [diagnosisText(entry)]};
      });
    });
    use.advisedControls.forEach(function (id) {
      var mark = marks[id] = marks[id] || {titles: []};
      mark.advised = true;
      mark.titles = mark.titles.concat(top);
    });
    model.rows.forEach(function (ids) {
      ids.forEach(function (id) {
        var box = control(id).parentNode, mark = marks[id] || {titles: []}, title = mark.titles.join('\n');
        if (box.classList.contains('unreproduced') !== !!mark.unreproduced) box.classList.toggle('unreproduced');
        if (box.classList.contains('advised') !== !!mark.advised) box.classList.toggle('advised');
        if (box.title === title) return;
        if (title) box.title = title; else box.removeAttribute('title');
      });
    });
  }

  // One line of cells per row, one cell per defense value the core tries, filled
  // where some rate reproduces the row; the last line shades each defense
  // by the share of rows it reproduces, and the chosen defense is framed.
  // Drawn at the width it has, one unit a pixel, so that its text keeps
  // its size on a phone; a table says the same in words. Each line is a
  // group of its own, drawn anew only when what it shows changed: an edit
  // changes a row or two.
  var chartGroups = {};
  function showChart(chart) {
    var rows = chart.rows, line = 22, left = 52, top = 18;
    byId('chart-section').hidden = !rows.length;
    if (!rows.length) return;
    // The width the observer last saw: reading it here would lay the page
    // out in the middle of an edit.
    var width = Math.max(chartWidth || byId('chart').clientWidth, 200);
    var count = model.defenseCount, cell = Math.max(2, Math.floor((width - left - 4) / count));
    var height = top + (rows.length + 1) * line + 4;
    width = left + count * cell + 4;
    var groups = [], parts;
    function group(key) { groups.push({key: key, parts: parts = []}); }
    function add(tag, attributes, content) { parts.push([tag, attributes, content]); }
    group('ticks');
    for (var d = 0; d < count; d += cell < 4 ? 20 : 10)
      add('text', {'class': 'tick', x: left + d * cell, y: 13}, String(d));
    group('chosen');
    if (chart.chosen)
      add('rect', {'class': 'chosen', x: left + chart.chosen.defense * cell - 1, y: top - 2, width: cell + 2,
                   height: (rows.length + 1) * line}, chart.chosen.title);
    rows.forEach(function (row, i) {
      var y = top + i * line;
      group('row' + row.row);
      add('text', {x: 0, y: y + 13, 'data-row': row.row}, row.caption);
      row.cells.forEach(function (c) {
        add('rect', {'class': 'hit', 'data-row': row.row, 'data-defense': c.defense, x: left + c.defense * cell, y: y,
                     width: Math.max(1, cell - 1), height: line - 6}, c.title);
      });
    });
    var y = top + rows.length * line;
    group('agreement');
    add('text', {x: 0, y: y + 13}, chart.agreementCaption);
    chart.agreement.forEach(function (c) {
      add('rect', {'class': 'agree', x: left + c.defense * cell, y: y, width: Math.max(1, cell - 1), height: line - 6,
                   'fill-opacity': c.share.toFixed(3)}, c.title);
    });
    var root = byId('chart').querySelector('svg');
    if (!root) {
      root = byId('chart').appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'svg'));
      root.setAttribute('role', 'img');
    }
    [['width', width], ['height', height], ['aria-label', chart.label]].forEach(function (attribute) {
      if (root.getAttribute(attribute[0]) !== String(attribute[1])) root.setAttribute(attribute[0], attribute[1]);
    });
    placeChartGroups(root, groups);

    var body = byId('chart-table').tBodies[0];
    rows.map(function (row) { return [row.caption, row.text]; }).concat([[chart.agreementCaption, chart.agreementText]])
      .forEach(function (cells, i) { putRow(body, i, cells, '', true); });
    cutRows(body, rows.length + 1);
  }
  // The chart's groups in order: one that shows what it showed stays where
  // it stands, the others are drawn anew, whole, and put in their places.
  function placeChartGroups(root, groups) {
    var next = {};
    groups.forEach(function (group) {
      var drawn = JSON.stringify(group.parts), last = chartGroups[group.key];
      next[group.key] = last && last.drawn === drawn ? last : {drawn: drawn, element: drawChartGroup(group.parts)};
    });
    Object.keys(chartGroups).forEach(function (key) {
      if (next[key] !== chartGroups[key]) chartGroups[key].element.remove();
    });
    var at = root.firstChild;
    groups.forEach(function (group) {
      var element = next[group.key].element;
      if (element === at) at = at.nextSibling; else root.insertBefore(element, at);
    });
    chartGroups = next;
  }
  function drawChartGroup(parts) {
    var svg = 'http://www.w3.org/2000/svg', group = document.createElementNS(svg, 'g');
    parts.forEach(function (part) {
      var element = group.appendChild(document.createElementNS(svg, part[0]));
      Object.keys(part[1]).forEach(function (name) { element.setAttribute(name, part[1][name]); });
      if (part[0] === 'text') element.textContent = part[2];
      else element.appendChild(document.createElementNS(svg, 'title')).textContent = part[2];
    });
    return group;
  }

  // The first rows at once, the rest in later tasks, a batch at a time
  // from the core: a thousand candidates would hold up every character
  // typed. A newer analysis takes over the rows still to come.
  var candidateRun = 0;
  function showCandidates(candidates) {
    var body = byId('candidates').tBodies[0], run = ++candidateRun;
    cutRows(body, candidates.count);
    function put(from, rows) {
      rows.forEach(function (c, i) { putRow(body, from + i, c.cells, c.chosen ? 'chosen' : c.tied ? 'tied' : ''); });
      from += rows.length;
      if (rows.length && from < candidates.count) setTimeout(function () {
        if (run === candidateRun && core) put(from, json(core._WebCandidateRows(from)));
      });
    }
    put(0, candidates.rows);
    byId('candidates-section').hidden = !candidates.count;
  }

  // ---- Layout ----

  // The boxes of a panel stand in the bands the core gives, in the order
  // of the Tab key, which is also the order the eye reads them, on a wide
  // screen and on a phone: on a wide screen the bands vanish (every box
  // stands at its place in the window); on a phone each band is a line
  // that wraps. The build wrote them in a phone's order; the order is set
  // again when the page changes between the two, which moves nothing on
  // the screen. A parent whose children are in order is left as it is.
  function arrange() {
    var layout = PHONE.matches ? 'phone' : 'wide', orders = new Map(); // parent -> its children in order
    function follow(child, parent) {
      var order = orders.get(parent) || [];
      if (order.indexOf(child) >= 0) order.splice(order.indexOf(child), 1);
      order.push(child);
      orders.set(parent, order);
    }
    model.controls.slice().sort(function (a, b) { return a.tab[layout] - b.tab[layout]; }).forEach(function (c) {
      var own = box(c.id);
      if (c.band < 0) {
        follow(own, own.parentNode);
        return;
      }
      var panel = box(model.panels[c.panel]), band = panel.querySelector('[data-band="' + c.band + '"]');
      follow(own, band);
      follow(band, panel);
    });
    orders.forEach(function (order, parent) {
      var now = Array.prototype.filter.call(parent.children, function (e) { return order.indexOf(e) >= 0; });
      if (now.some(function (e, i) { return e !== order[i]; }))
        order.forEach(function (e) { parent.appendChild(e); });
    });
  }

  // ---- Start ----

  // The page's own elements, once; nothing reaches the core while it is
  // being started again (core is null then).
  function wire() {
    client.addEventListener('click', function (event) {
      if (core && event.target.matches('button[data-id]')) command(+event.target.dataset.id);
    });
    wireEntry();
    // A list chosen, a box ticked.
    client.addEventListener('change', function (event) {
      if (core && event.target.matches('select, [type=checkbox]')) edited(event.target);
    });
    // A file dropped loads; a text dropped goes where a paste of it would,
    // into the field it was dropped on replacing its text.
    document.addEventListener('dragover', function (event) { event.preventDefault(); });
    document.addEventListener('drop', function (event) {
      var files = event.dataTransfer.files, text = event.dataTransfer.getData('text/plain'), target = event.target;
      if (target.id === 'paste' && !files.length) return;
      event.preventDefault();
      if (!core) return;
      var into = pasteTarget(target);
      if (into) into.focus();
      if (files.length) loadFile(files[0]); else if (text) paste(text, into, 0, into ? into.value.length : 0);
    });
    // A paste into a control or anywhere else on the page but the paste
    // box, which takes it as text to read with its button.
    document.addEventListener('paste', function (event) {
      var text = event.clipboardData.getData('text/plain'), target = event.target;
      if (!core || target.id === 'paste') return;
      event.preventDefault();
      var into = pasteTarget(target);
      paste(text, into, into ? into.selectionStart : 0, into ? into.selectionEnd : 0);
    });
    byId('paste-load').addEventListener('click', function () { if (core) paste(byId('paste').value, null); });
    byId('share-copy').addEventListener('click', shareLink);
    SHARE_SHEET.addEventListener('change', labelShare);
    window.addEventListener('storage', otherTabKept);
    byId('notice-close').addEventListener('click', hideNotice);
    byId('notice').addEventListener('focusin', function (event) {
      if (event.relatedTarget && !byId('notice').contains(event.relatedTarget)) focusBeforeNotice = event.relatedTarget;
    });
    // Esc closes the notice; Ctrl+Z undoes the last action that replaced
    // rows (Ctrl+Y or Ctrl+Shift+Z redoes it) where no text field takes
    // the keys for its own typing.
    document.addEventListener('keydown', function (event) {
      if (event.key === 'Escape' && !byId('notice').hidden && !event.defaultPrevented && !event.isComposing) {
        hideNotice();
        return;
      }
      var key = (event.key || '').toLowerCase(), redo = key === 'y' || key === 'z' && event.shiftKey;
      if (!core || !swap || !(event.ctrlKey || event.metaKey) || event.altKey || (key !== 'z' && key !== 'y') ||
          swap.undo === redo || event.target.matches('input:not([type=checkbox]):not([type=file]), textarea'))
        return;
      event.preventDefault();
      swapBack();
    });
    window.addEventListener('hashchange', function () {
      if (core && location.hash.length > 1) openLink(location.hash.slice(1));
    });
    window.addEventListener('error', function (event) {
      if (event.error instanceof WebAssembly.RuntimeError) stopped();
    });
    window.addEventListener('unhandledrejection', function (event) {
      if (event.reason instanceof WebAssembly.RuntimeError) stopped();
    });
    PHONE.addEventListener('change', function () { if (core) arrange(); });
    Array.prototype.forEach.call(byId('handoff').children, function (button, attribute) {
      button.addEventListener('click', function () { if (core) handOff(attribute); });
    });
    // The menu's load item, save and clear buttons.
    var fileInput = control(model.menu.load);
    fileInput.addEventListener('change', function () {
      if (core && fileInput.files.length) loadFile(fileInput.files[0]);
      fileInput.value = '';
    });
    control(model.menu.save).addEventListener('click', function () { if (core) saveRows(); });
    control(model.menu.clear).addEventListener('click', function () { if (core) clearTable(); });
    new ResizeObserver(function (entries) {
      var width = Math.round(entries[0].contentRect.width);
      if (!width || width === chartWidth) return;
      chartWidth = width;
      if (lastChart) showChart(lastChart);
    }).observe(byId('chart'));
  }

  // A share link's state comes first, else the state of the last visit.
  function restore() {
    if (location.hash.length > 1 && openLink(location.hash.slice(1))) return;
    reopen(saved());
  }
  function reopen(state) {
    if (state && json(core._WebOpenFragment(putText(state), 0)).outcome !== 'malformed') return refresh(true, true);
    return refresh(false, true);
  }

  // The site's files are kept for use without a network. A newer version,
  // fetched in the background, serves from the next visit on.
  function keepOffline() {
    if (!('serviceWorker' in navigator)) return;
    var updating = !!navigator.serviceWorker.controller;
    navigator.serviceWorker.register('sw.js').then(function (registration) {
      registration.addEventListener('updatefound', function () {
        var worker = registration.installing;
        worker.addEventListener('statechange', function () {
          if (worker.state !== 'activated') return;
          byId('offline').hidden = false;
          if (updating) notify([texts.updateReady]);
        });
      });
      if (registration.active) byId('offline').hidden = false;
    }, function () { /* no offline copy: the page works online */ });
  }

  // Starts the core, which adopts the controls, and brings the state back:
  // on the first start a link's or the last visit's, on a restart the one
  // given. The controls take no input until then (the window is inert).
  function start(state) {
    phase = 'starting';
    createTorume({onAbort: stopped}).then(function (module) {
      core = module;
      core._WebStart();
      model = json(core._WebPageModel());
      if (!texts) {
        texts = json(core._WebPageTexts());
        wire();
      }
      arrange();
      initialState = fragment();
      // The state comes back in a task of its own: a slow phone's start is
      // two short tasks, not one long one. Nothing reaches the core between.
      core = null;
      setTimeout(function () {
        core = module;
        phase = 'restoring';
        if (state === undefined) restore(); else notify([texts.coreRestarted], reopen(state));
        phase = 'running';
        byId('window').inert = false;
        if (document.body.dataset.ready) return;
        performance.mark('torume-first-estimate');
        document.body.dataset.ready = performance.now().toFixed(1);
        keepOffline();
      });
    });
  }

  // The core stopped (it aborted, or its code met a fault): what it was
  // doing is lost, and it is not called again. A new one takes over with
  // the state of the last change that went through, and the notice says
  // so. A state that stops the core as it is brought back is dropped, and
  // a core that stops while starting is not started again.
  function stopped() {
    if (!core) return;
    core = null;
    byId('window').inert = true;
    loading++;
    if (phase !== 'starting') setTimeout(start, 0, phase === 'running' ? kept : '');
  }

  start();
})();
