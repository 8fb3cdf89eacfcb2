-- wrk script: each thread drives one browser session over its connection.
--
--   wrk -t64 -c64 -d10s -s bench/session.lua http://127.0.0.1:PORT/ -- MODE [gzip]
--
-- MODE "get":  GET "/" to get the session cookie, then GET "/" again and again.
-- MODE "post": GET "/" once, then post the whole form of the shown page again
--              and again with the event cmdSave:click, the current __serial and
--              the session's __csrf (the form is read from the first page).
-- MODE "main": sign in as a demo user (supervisor, hr and admin in turn over
--              the threads): GET "/" for the login page, its cookie, __serial
--              and __csrf, POST the login form (the answer renews the session
--              id), then GET "/" again and again: the main page of the session.
--              An optional FILE after the mode keeps the sessions between runs:
--              a thread continues the session on its line (instead of signing
--              in), and done() writes the signed-in sessions back. With
--              "signin" after FILE a thread stops once it has a session
--              (stored or just signed in), so that warm-up runs sign every
--              session in without competing GETs and the measured run only GETs.
-- "gzip" adds Accept-Encoding: gzip, as a browser sends it.
--
-- A response that is not the page expected (wrong status, no cookie, a post
-- whose handler did not run) counts as a failure; done() prints one line:
--   RESULT <requests/s> <p50 ms> <p99 ms> <failures> <requests> <avg body bytes>
-- and in mode "main" a second one:
--   SESSIONS <threads signed in at the end> <sign-ins during the run> <wrong answers> <timeouts>

local threads = {}

function setup(thread)
   thread:set("id", #threads)
   table.insert(threads, thread)
end

-- Per-thread state (each thread has its own Lua state).
local mode = "get"
local gzip = false
local cookie = nil
local serial = nil
local csrf = nil
local fields = nil      -- posted fields other than __serial, __csrf, __event
local marker = nil      -- text of edtField0 in the pending post
local posts = 0
failures = 0
bodyBytes = 0
responses = 0

-- Globals of mode "main" (read by done() through thread:get).
mainMode = false
mainSessionsFile = nil
mainCookie = nil        -- "zwsid=…" of the signed-in session, nil before sign-in
mainSignIns = 0
mainSignInOnly = false

-- "start": GET the login page, "login": POST it, "main": GET the main page,
-- "done": signed in during a "signin" run, nothing more to do.
local mainPhase = "start"
local mainSerial, mainCsrf, mainLoginCookie = nil, nil, nil

-- The demo logins of mode "main" (the password is the login name).
local kMainUsers = { { "supervisor", "1002" }, { "hr", "1003" }, { "admin", "1001" } }

local function readSessionLine(path, index)
   local f = path and io.open(path, "r")
   if not f then return nil end
   local n = 0
   for line in f:lines() do
      n = n + 1
      if n == index then
         f:close()
         return line:match("^(zwsid=%x+)$")
      end
   end
   f:close()
   return nil
end

function init(args)
   mode = args[1] or "get"
   gzip = args[2] == "gzip"
   if mode == "main" then
      mainMode = true
      mainSessionsFile = args[2]
      mainSignInOnly = args[3] == "signin"
      mainCookie = readSessionLine(mainSessionsFile, id + 1)
      if mainCookie then mainPhase = mainSignInOnly and "done" or "main" end
   end
end

local function urlencode(s)
   return (s:gsub("[^%w%-%._~]", function(c) return string.format("%%%02X", string.byte(c)) end))
end

local function unescape(s)
   return (s:gsub("&#(%d+);", function(n) return string.char(tonumber(n)) end)
            :gsub("&quot;", '"'):gsub("&lt;", "<"):gsub("&gt;", ">"):gsub("&amp;", "&"))
end

local function attr(tag, name)
   local v = tag:match("%s" .. name .. '="([^"]*)"')
   return v and unescape(v)
end

-- The fields a browser would post for the form of a page, in page order.
local function readForm(body)
   local out = {}
   for tag in body:gmatch("<input[^>]*>") do
      local name, kind = attr(tag, "name"), attr(tag, "type") or "text"
      local skip = not name or name == "__serial" or name == "__csrf" or name == "__event"
         or kind == "file" or kind == "submit" or tag:find("%sdisabled")
      if not skip and (kind ~= "checkbox" and kind ~= "radio" or tag:find("%schecked")) then
         table.insert(out, { name, attr(tag, "value") or "" })
      end
   end
   for open, options in body:gmatch("<select([^>]*)>(.-)</select>") do
      local name = attr(open, "name")
      local chosen = nil
      for opt in options:gmatch("<option[^>]*>") do
         if opt:find("%sselected") then chosen = attr(opt, "value") end
      end
      if name and chosen then table.insert(out, { name, chosen }) end
   end
   for open, text in body:gmatch("<textarea([^>]*)>(.-)</textarea>") do
      local name = attr(open, "name")
      if name then table.insert(out, { name, unescape(text) }) end
   end
   return out
end

local function postBody()
   posts = posts + 1
   marker = "run " .. posts
   local parts = { "__serial=" .. serial, "__csrf=" .. csrf, "__event=cmdSave%3Aclick" }
   for _, f in ipairs(fields) do
      local value = f[1] == "edtField0" and marker or f[2]
      table.insert(parts, urlencode(f[1]) .. "=" .. urlencode(value))
   end
   return table.concat(parts, "&")
end

-- The main page of a signed-in session, not the login page or another page.
local function isMainPage(body)
   return body:find('id="TfrmMainDetails"', 1, true) and body:find('id="lblStaffno"', 1, true)
      and not body:find('name="edtPassword"', 1, true)
end

local function mainRequest()
   if mainPhase == "done" then
      -- The thread can only stop while it runs; a static file costs no session.
      wrk.thread:stop()
      return wrk.format("GET", "/favicon.ico")
   end
   if mainPhase == "start" then
      return wrk.format("GET", "/")
   end
   if mainPhase == "login" then
      local user = kMainUsers[id % #kMainUsers + 1]
      local form = table.concat({
         "edtLogin=" .. urlencode(user[1]), "edtStaffno=" .. urlencode(user[2]),
         "edtPassword=" .. urlencode(user[1]), "__serial=" .. mainSerial, "__csrf=" .. mainCsrf,
         "__event=" .. urlencode("cmdLogin:click") }, "&")
      return wrk.format("POST", "/", { ["Cookie"] = mainLoginCookie,
         ["Content-Type"] = "application/x-www-form-urlencoded" }, form)
   end
   return wrk.format("GET", "/", { ["Cookie"] = mainCookie })
end

local function sessionCookie(headers)
   local set = headers["Set-Cookie"] or headers["set-cookie"]
   local sid = set and set:match("zwsid=(%x+)")
   return sid and "zwsid=" .. sid
end

local function mainFailed()
   failures = failures + 1
   mainCookie = nil -- sign in again on a new session
   mainPhase = "start"
end

local function mainResponse(status, headers, body)
   if mainPhase == "done" then return end
   responses = responses + 1
   bodyBytes = bodyBytes + #body
   if status ~= 200 then return mainFailed() end
   if mainPhase == "start" then
      mainLoginCookie = sessionCookie(headers)
      mainSerial = body:match('name="__serial" value="(%d+)"')
      mainCsrf = body:match('name="__csrf" value="(%x+)"')
      if not (mainLoginCookie and mainSerial and mainCsrf and body:find('name="edtPassword"', 1, true)) then
         return mainFailed()
      end
      mainPhase = "login"
      return
   end
   if mainPhase == "login" then
      -- The answer to the login is the main page on a renewed session id.
      local renewed = sessionCookie(headers)
      if not renewed or renewed == mainLoginCookie or not isMainPage(body) then return mainFailed() end
      mainCookie = renewed
      mainSignIns = mainSignIns + 1
      mainPhase = mainSignInOnly and "done" or "main"
      if mainSignInOnly then wrk.thread:stop() end
      return
   end
   if not isMainPage(body) then return mainFailed() end
end

function request()
   if mode == "main" then return mainRequest() end
   local headers = {}
   if gzip then headers["Accept-Encoding"] = "gzip" end
   if not cookie then
      return wrk.format("GET", "/", headers)
   end
   headers["Cookie"] = cookie
   if mode == "post" and serial and csrf then
      headers["Content-Type"] = "application/x-www-form-urlencoded"
      return wrk.format("POST", "/", headers, postBody())
   end
   return wrk.format("GET", "/", headers)
end

function response(status, headers, body)
   if mode == "main" then return mainResponse(status, headers, body) end
   responses = responses + 1
   bodyBytes = bodyBytes + #body
   if status ~= 200 then
      failures = failures + 1
      cookie = nil -- start a new session
      return
   end
   if not cookie then
      local set = headers["Set-Cookie"] or headers["set-cookie"]
      local sid = set and set:match("zwsid=([0-9a-f]+)")
      if not sid then failures = failures + 1; return end
      cookie = "zwsid=" .. sid
   end
   if gzip then return end -- a compressed body cannot be read here: GET only
   local newSerial = body:match('name="__serial" value="(%d+)"')
   if not newSerial then failures = failures + 1; return end
   if marker then
      -- The handler ran on this post: the label shows what was posted.
      if not body:find(marker .. " / ", 1, true) then failures = failures + 1 end
      marker = nil
   end
   serial = newSerial
   csrf = csrf or body:match('name="__csrf" value="(%x+)"')
   if mode == "post" and not fields then fields = readForm(body) end
end

-- Mode "main": prints the SESSIONS line and writes the signed-in sessions to
-- the sessions file, one line per thread ("-" for none).
local function doneMain(summary)
   local signedIn, signIns, wrong, lines = 0, 0, 0, {}
   for _, t in ipairs(threads) do
      local c = t:get("mainCookie")
      signIns = signIns + t:get("mainSignIns")
      wrong = wrong + t:get("failures")
      if c then signedIn = signedIn + 1 end
      table.insert(lines, c or "-")
   end
   io.write(string.format("SESSIONS %d %d %d %d\n", signedIn, signIns, wrong, summary.errors.timeout))
   local path = threads[1]:get("mainSessionsFile")
   if not path then return end
   local f = assert(io.open(path, "w"))
   f:write(table.concat(lines, "\n"), "\n")
   f:close()
end

function done(summary, latency, requests)
   local failed, bytes, count = 0, 0, 0
   for _, t in ipairs(threads) do
      failed = failed + t:get("failures")
      bytes = bytes + t:get("bodyBytes")
      count = count + t:get("responses")
   end
   local seconds = summary.duration / 1e6
   failed = failed + summary.errors.status + summary.errors.timeout + summary.errors.read + summary.errors.write
   io.write(string.format("RESULT %.1f %.3f %.3f %d %d %d\n", summary.requests / seconds,
      latency:percentile(50) / 1000, latency:percentile(99) / 1000, failed, summary.requests,
      count > 0 and math.floor(bytes / count) or 0))
   if #threads > 0 and threads[1]:get("mainMode") then doneMain(summary) end
end
