// HTTP-level behaviour without a browser: headers, cookies, routing, limits.
import assert from 'node:assert/strict';

import { rawRequest } from './harness.mjs';

export const startPage = undefined;

const kUnknownSid = '0123456789abcdef0123456789abcdef';
const kMaxPost = 1 << 20; // the default post limit of the demo installation

/// A form post of many ordinary fields, exactly size bytes long.
function formOfSize(size) {
  const field = (i) => `f${i}=${'v'.repeat(90)}&`;
  let text = '__serial=1&';
  for (let i = 0; text.length + field(i).length + 2 <= size; i++) text += field(i);
  return Buffer.from(text + 'z='.padEnd(size - text.length, 'z'));
}

function sessionCookie(setCookies) {
  return setCookies.find((c) => /^zwsid=/i.test(c));
}

export const tests = [
  {
    name: 'a page has the security headers and an HttpOnly, SameSite=Lax session cookie',
    async fn({ base }) {
      const res = await fetch(base + '/', { redirect: 'manual' });
      assert.equal(res.status, 200);
      const h = res.headers;
      assert.match(h.get('content-security-policy') ?? '', /default-src 'none'/);
      assert.match(h.get('content-security-policy') ?? '', /frame-ancestors 'none'/);
      assert.equal(h.get('x-frame-options'), 'DENY');
      assert.equal(h.get('x-content-type-options'), 'nosniff');
      assert.equal(h.get('referrer-policy'), 'no-referrer');
      assert.equal(h.get('cache-control'), 'no-store');
      const cookie = sessionCookie(h.getSetCookie());
      assert.ok(cookie, 'a session cookie is set');
      assert.match(cookie, /^zwsid=[0-9a-f]{32};/);
      assert.match(cookie, /;\s*HttpOnly/i);
      assert.match(cookie, /;\s*SameSite=Lax/i);
      assert.match(cookie, /;\s*Path=\//);

      // The cookie names a live session: using it neither redirects nor sets a new one.
      const again = await fetch(base + '/', { headers: { cookie: cookie.split(';')[0] }, redirect: 'manual' });
      assert.equal(again.status, 200);
      assert.equal(sessionCookie(again.headers.getSetCookie()), undefined);
    },
  },
  {
    name: 'favicon and assets are served without a session cookie',
    async fn({ base }) {
      for (const [url, status] of [
        ['/favicon.ico', 200],
        ['/assets/js/zorvweb.js', 200],
        ['/assets/css/zorvweb.css', 200],
        ['/assets/js/missing.js', 404],
      ]) {
        const res = await fetch(base + url, { redirect: 'manual' });
        assert.equal(res.status, status, url);
        assert.equal(res.headers.getSetCookie().length, 0, `${url} sets no cookie`);
        assert.equal(res.headers.get('x-content-type-options'), 'nosniff', url);
        await res.arrayBuffer();
      }
    },
  },
  {
    name: 'an unknown session is sent to "/" with 303 and its cookie cleared',
    async fn({ base }) {
      for (const { method, cookie, cleared } of [
        { method: 'GET', cookie: `zwsid=${kUnknownSid}`, cleared: true },
        { method: 'POST', cookie: `zwsid=${kUnknownSid}`, cleared: true },
        { method: 'POST', cookie: null, cleared: false }, // a post never creates a session
      ]) {
        const what = `${method} with ${cookie ?? 'no cookie'}`;
        const res = await fetch(base + '/', {
          method,
          redirect: 'manual',
          headers: {
            ...(cookie ? { cookie } : {}),
            ...(method === 'POST' ? { 'content-type': 'application/x-www-form-urlencoded' } : {}),
          },
          body: method === 'POST' ? '__serial=1&__csrf=x&__event=cmdLogin%3Aclick' : undefined,
        });
        assert.equal(res.status, 303, what);
        assert.equal(new URL(res.headers.get('location'), base).pathname, '/', what);
        const set = sessionCookie(res.headers.getSetCookie());
        if (cleared) {
          assert.match(set ?? '', /^zwsid=;/, `${what}: cookie emptied`);
          assert.match(set, /Max-Age=0/i, `${what}: cookie expired`);
        } else {
          assert.equal(set, undefined, `${what}: no cookie`);
        }
      }
    },
  },
  {
    name: 'a post over 1 MiB gets 413, declared, sent whole or chunked',
    async fn({ port }) {
      const head = (extra) =>
        `POST / HTTP/1.1\r\nHost: 127.0.0.1:${port}\r\nContent-Type: application/x-www-form-urlencoded\r\n${extra}\r\n`;
      const chunked = (body) => Buffer.concat([
        Buffer.from(body.length.toString(16) + '\r\n'), body, Buffer.from('\r\n0\r\n\r\n'),
      ]);
      const over = formOfSize(kMaxPost + 1);
      const under = formOfSize(kMaxPost);
      for (const { what, extra, body, status } of [
        // A client that waits for an answer before sending what it declared.
        { what: 'declared length, body held back', extra: `Content-Length: ${over.length}\r\n`, body: null, status: 413 },
        { what: 'declared length, body sent', extra: `Content-Length: ${over.length}\r\n`, body: over, status: 413 },
        { what: 'chunked body', extra: 'Transfer-Encoding: chunked\r\n', body: chunked(over), status: 413 },
        // Exactly at the limit the post is read (no session: redirected, not refused).
        { what: 'body of exactly 1 MiB', extra: `Content-Length: ${under.length}\r\nConnection: close\r\n`, body: under, status: 303 },
        { what: 'chunked body of exactly 1 MiB', extra: 'Transfer-Encoding: chunked\r\nConnection: close\r\n', body: chunked(under), status: 303 },
      ]) {
        let res;
        try {
          res = await rawRequest(port, head(extra), body, 10_000);
        } catch (e) {
          assert.fail(`${what}: ${e.message}`);
        }
        assert.equal(res.status, status, what);
      }
    },
  },
  {
    name: 'paths that climb out of /assets are 404',
    async fn({ port }) {
      // CMakeLists.txt sits in the folder above the assets: a climb would find it.
      for (const url of [
        '/assets/../CMakeLists.txt',
        '/assets/js/../../CMakeLists.txt',
        '/assets/%2e%2e/CMakeLists.txt',
        '/assets/..%2fCMakeLists.txt',
        '/assets//etc/passwd',
        '/assets/%2fetc/passwd',
      ]) {
        const res = await rawRequest(port, `GET ${url} HTTP/1.1\r\nHost: 127.0.0.1:${port}\r\n\r\n`);
        assert.equal(res.status, 404, url);
        assert.ok(!/cmake_minimum_required|root:/.test(res.body.toString()), `${url} leaks a file`);
      }
      const ok = await rawRequest(port, `GET /assets/js/zorvweb.js HTTP/1.1\r\nHost: 127.0.0.1:${port}\r\n\r\n`);
      assert.equal(ok.status, 200, 'the same file by its plain path');
    },
  },
];
