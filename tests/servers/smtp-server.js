'use strict';
// An SMTP server for the integration tests, on 127.0.0.1 and a port the
// system chooses. Prints "PORT <n>" once it listens. Every message it takes
// is written to FOLDER as <n>.eml (the data after dot-unstuffing) and then
// <n>.json (the envelope), each renamed into place when complete. Every
// connection adds a line to FOLDER/connections, so that a test can tell that
// none was made.
//
// node smtp-server.js --dir FOLDER --user NAME --password SECRET
//                     [--auth LOGIN,PLAIN,CRAM-MD5] [--refuse ADDRESS]...
//                     [--defer ADDRESS]... [--busy N] [--hold-data N] [--dsn 1]
//                     [--tls implicit|starttls --cert PEM --key PEM]
//                     [--oauth-key KEY] [--fail-auth MECHANISM]
// With --tls implicit it speaks TLS from the first byte (RFC 8314); with
// --tls starttls it offers STARTTLS (RFC 3207). Without it, no TLS at all.
// With --oauth-key, XOAUTH2 (in --auth) takes the access tokens of
// oauth-server.py: "EXPIRY.MAC", MAC the HMAC-SHA256 of "EXPIRY|USER" under
// KEY, for the user who signs in and not yet expired; any other token gets
// the error challenge and then 535. With --fail-auth, every answer in that
// mechanism is refused, whatever it carries. A --refuse address is answered
// 550, a --defer address 452 (mailbox full, try later). With --busy N the
// first N transactions are answered 451 at MAIL, as a greylisting or
// rate-limited server answers. With --hold-data N the first N messages are
// read to their end and then neither kept nor answered (FOLDER/held marks
// each), as a server that the client leaves before it commits. With --dsn 1
// it advertises DSN and the envelope records what was asked (RFC 3461).
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const { SMTPServer } = require('smtp-server');

const options = { auth: 'LOGIN,PLAIN,CRAM-MD5', refuse: [], defer: [], tls: 'none' };
for (let i = 2; i < process.argv.length; i += 2) {
  const name = process.argv[i].replace(/^--/, '');
  const value = process.argv[i + 1];
  if (name === 'refuse' || name === 'defer') options[name].push(value.toLowerCase());
  else options[name] = value;
}
if (!options.dir || !options.user || options.password === undefined) {
  console.error('usage: smtp-server.js --dir FOLDER --user NAME --password SECRET');
  process.exit(2);
}

let count = 0;
let busy = Number(options.busy || 0);
let hold = Number(options['hold-data'] || 0);
function writeAtomically(file, data) {
  fs.writeFileSync(file + '.part', data);
  fs.renameSync(file + '.part', file);
}

const tls =
  options.tls === 'none'
    ? { disabledCommands: ['STARTTLS'] }
    : {
        secure: options.tls === 'implicit',
        key: fs.readFileSync(options.key),
        cert: fs.readFileSync(options.cert),
        minVersion: 'TLSv1.2',
      };

const server = new SMTPServer({
  ...tls,
  hideDSN: options.dsn !== '1',
  authMethods: options.auth.split(',').filter(Boolean),
  authOptional: true,
  allowInsecureAuth: true,
  size: 200 * 1024 * 1024,
  logger: false,
  onConnect(session, callback) {
    fs.appendFileSync(path.join(options.dir, 'connections'), `${session.remoteAddress}\n`);
    callback();
  },
  onAuth(auth, session, callback) {
    if (auth.method === 'XOAUTH2') {
      const [expiry, mac] = auth.accessToken.split('.');
      const expected = crypto
        .createHmac('sha256', options['oauth-key'] || '')
        .update(`${expiry}|${auth.username}`)
        .digest('hex');
      if (options['oauth-key'] && mac === expected && Number(expiry) * 1000 > Date.now())
        return callback(null, { user: auth.username });
      return callback(null, { data: { status: '401', schemes: 'bearer', scope: 'smtp' } });
    }
    if (auth.method === options['fail-auth']) return callback(new Error('Refused for the test'));
    const good =
      auth.username === options.user &&
      (auth.method === 'CRAM-MD5'
        ? auth.validatePassword(options.password)
        : auth.password === options.password);
    if (!good) return callback(new Error('Invalid username or password'));
    callback(null, { user: auth.username });
  },
  onMailFrom(address, session, callback) {
    if (busy > 0) {
      busy -= 1;
      const err = new Error('4.7.1 Greylisted, try again later');
      err.responseCode = 451;
      return callback(err);
    }
    callback();
  },
  onRcptTo(address, session, callback) {
    const lower = address.address.toLowerCase();
    if (options.refuse.includes(lower)) {
      const err = new Error('5.1.1 No such user here');
      err.responseCode = 550;
      return callback(err);
    }
    if (options.defer.includes(lower)) {
      const err = new Error('4.2.2 Mailbox full, try later');
      err.responseCode = 452;
      return callback(err);
    }
    callback();
  },
  onData(stream, session, callback) {
    const chunks = [];
    stream.on('data', (chunk) => chunks.push(chunk));
    stream.on('end', () => {
      if (hold > 0) {
        hold -= 1;
        fs.appendFileSync(path.join(options.dir, 'held'), 'held\n');
        return;
      }
      const n = ++count;
      writeAtomically(path.join(options.dir, `${n}.eml`), Buffer.concat(chunks));
      writeAtomically(
        path.join(options.dir, `${n}.json`),
        JSON.stringify({
          user: session.user || null,
          mailFrom: session.envelope.mailFrom ? session.envelope.mailFrom.address : null,
          rcptTo: session.envelope.rcptTo.map((r) => r.address),
          ...(options.dsn === '1'
            ? { dsn: session.envelope.dsn, notify: session.envelope.rcptTo.map((r) => r.dsn) }
            : {}),
          // Whether the message came over TLS, where TLS was on offer.
          ...(options.tls === 'none' ? {} : { secure: session.secure }),
        }),
      );
      callback(null, 'Message queued');
    });
  },
});

server.on('error', (err) => console.error(err.message));
server.listen(0, '127.0.0.1', () => {
  process.stdout.write(`PORT ${server.server.address().port}\n`);
});
process.on('SIGTERM', () => server.close(() => process.exit(0)));
