// HTTP-level behaviour without a browser: headers, cookies, routing, limits.
import assert from 'node:assert/strict';

import { rawRequest } from './harness.mjs';

export const startPage = undefined;

const kUnknownSid = '0123456789abcdef0123456789abcdef';
const kMaxPost = 1 << 20; // the default post limit of the demo installation

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
    name: 'a post over 1 MiB gets 413, declared or chunked',
    async fn({ port }) {
      const head = (extra) =>
        `POST / HTTP/1.1\r\nHost: 127.0.0.1:${port}\r\nContent-Type: application/x-www-form-urlencoded\r\n${extra}\r\n`;
      // Declared too large: answered before any of the body is read.
      const declared = await rawRequest(port, head(`Content-Length: ${kMaxPost + 1}\r\n`));
      assert.equal(declared.status, 413, 'declared length');

      // No length: the server stops reading one byte past the limit.
      const data = Buffer.alloc(kMaxPost + 1, 'a');
      const chunk = Buffer.concat([Buffer.from(data.length.toString(16) + '\r\n'), data, Buffer.from('\r\n')]);
      const chunked = await rawRequest(port, head('Transfer-Encoding: chunked\r\n'), chunk);
      assert.equal(chunked.status, 413, 'chunked body');

      // A post within the limit is read (no session: redirected, not refused).
      const body = '__serial=1&x=' + 'a'.repeat(kMaxPost - 20);
      const fits = await rawRequest(port, head(`Content-Length: ${body.length}\r\nConnection: close\r\n`), body);
      assert.equal(fits.status, 303, 'a post of nearly 1 MiB');
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
