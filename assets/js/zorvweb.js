// Page behaviour of the server-rendered pages: event posting, Enter key,
// double-click protection, confirmations, message boxes, downloads, clocks.
(function () {
  'use strict';

  function eventField(form) {
    var field = form.querySelector('input[type=hidden][name="__event"]');
    if (!field) {
      field = document.createElement('input');
      field.type = 'hidden';
      field.name = '__event';
      form.appendChild(field);
    }
    return field;
  }

  // Posts the form with an event value; the first post wins until the page reloads.
  var posting = false;
  function post(form, eventValue) {
    if (posting) return;
    posting = true;
    eventField(form).value = eventValue || '';
    disableButtons(form);
    form.submit();
  }

  function disableButtons(form) {
    // Disabled buttons are not posted: the event already travels in the hidden field.
    setTimeout(function () {
      form.querySelectorAll('button').forEach(function (b) { b.disabled = true; });
    }, 0);
  }

  function onSubmit(e) {
    var form = e.target;
    if (posting) { e.preventDefault(); return; }
    var submitter = e.submitter;
    var value = submitter && submitter.name === '__event' ? submitter.value : '';
    var question = submitter && submitter.getAttribute('data-zw-confirm');
    if (question && !window.confirm(question)) { e.preventDefault(); return; }
    posting = true;
    eventField(form).value = value;
    disableButtons(form);
  }

  function onKeyDown(e) {
    if (e.key !== 'Enter' || e.isComposing) return;
    var target = e.target;
    if (!target || target.tagName === 'TEXTAREA' || target.tagName === 'BUTTON') return;
    if (target.tagName !== 'INPUT' && target.tagName !== 'SELECT') return;
    e.preventDefault();
    var form = target.form;
    var buttonId = form && form.getAttribute('data-default-button');
    var button = buttonId && document.getElementById(buttonId);
    if (button && !button.disabled) button.click();
  }

  function onChange(e) {
    var el = e.target.closest('[data-zw-post]');
    if (!el || !el.form) return;
    post(el.form, el.getAttribute('data-zw-post'));
  }

  function showMessages() {
    var dialog = document.getElementById('zwMessages');
    if (!dialog) return;
    if (typeof dialog.showModal === 'function' && !dialog.open) dialog.showModal();
    else dialog.setAttribute('open', '');
    var ok = dialog.querySelector('[data-zw-close]');
    if (ok) {
      ok.addEventListener('click', function () { dialog.close ? dialog.close() : dialog.removeAttribute('open'); });
      ok.focus();
    }
  }

  function startDownloads() {
    document.querySelectorAll('a[data-zw-download]').forEach(function (a, i) {
      setTimeout(function () { a.click(); }, 100 * (i + 1));
    });
  }

  function pad(n) { return n < 10 ? '0' + n : '' + n; }
  function formatClock(format, d) {
    var parts = { HH: pad(d.getHours()), MM: pad(d.getMinutes()), SS: pad(d.getSeconds()),
                  dd: pad(d.getDate()), mm: pad(d.getMonth() + 1), yyyy: '' + d.getFullYear() };
    return format.replace(/yyyy|HH|MM|SS|dd|mm/g, function (t) { return parts[t]; });
  }
  // Clocks show the server's time: the offset to the browser's clock is kept.
  function tickClocks() {
    var clocks = document.querySelectorAll('[data-zw-clock]');
    if (!clocks.length) return;
    var offset = 0;
    var serverTime = clocks[0].getAttribute('datetime');
    var m = serverTime && serverTime.match(/^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})/);
    if (m) offset = new Date(+m[1], +m[2] - 1, +m[3], +m[4], +m[5], +m[6]).getTime() - Date.now();
    function tick() {
      var now = new Date(Date.now() + offset);
      clocks.forEach(function (c) { c.textContent = formatClock(c.getAttribute('data-zw-clock') || 'HH:MM:SS', now); });
    }
    tick();
    setInterval(tick, 1000);
  }

  function focusFirstEdit() {
    if (document.getElementById('zwMessages')) return;
    var first = document.querySelector('main input[type=text]:not([readonly]), main input[type=password]');
    if (first) first.focus();
  }

  document.addEventListener('DOMContentLoaded', function () {
    var form = document.getElementById('zwForm');
    if (form) {
      form.addEventListener('submit', onSubmit);
      form.addEventListener('keydown', onKeyDown);
      form.addEventListener('change', onChange);
    }
    window.addEventListener('pageshow', function (e) { if (e.persisted) posting = false; });
    showMessages();
    startDownloads();
    tickClocks();
    focusFirstEdit();
  });
})();
